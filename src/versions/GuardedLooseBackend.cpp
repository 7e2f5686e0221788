#include "versions/GuardedLooseBackend.h"

#include "versions/GitHandles.h"
#include "versions/LooseObjects.h"

#include <cstring>
#include <new>

namespace vorela {

namespace {

struct GuardedBackend {
    git_odb_backend parent; // first: libgit2 hands back a pointer to it
    git_odb_backend *loose;
    std::filesystem::path objects;
};

GuardedBackend &guarded(git_odb_backend *backend)
{
    return *reinterpret_cast<GuardedBackend *>(backend);
}

// The wrapped store, told which object database it serves, as libgit2 tells the outer one.
git_odb_backend *looseOf(git_odb_backend *backend)
{
    GuardedBackend &self = guarded(backend);
    self.loose->odb = self.parent.odb;
    return self.loose;
}

// 0 when the file of id is a whole stream or absent (the loose store then says it lacks it).
int refuseCutObject(git_odb_backend *backend, const git_oid *id)
{
    BlobId raw;
    std::memcpy(raw.data(), id->id, raw.size());
    if (checkLooseObject(guarded(backend).objects, raw) != LooseRead::Damaged)
        return 0;
    const std::string reason = "the object " + hexId(*id) + " is cut short or damaged";
    git_error_set_str(GIT_ERROR_ODB, reason.c_str());
    return GIT_ERROR;
}

int read(void **data, std::size_t *size, git_object_t *type, git_odb_backend *backend,
         const git_oid *id)
{
    if (const int refused = refuseCutObject(backend, id); refused != 0)
        return refused;
    git_odb_backend *loose = looseOf(backend);
    return loose->read(data, size, type, loose, id);
}

int readPrefix(git_oid *id, void **data, std::size_t *size, git_object_t *type,
               git_odb_backend *backend, const git_oid *prefix, std::size_t length)
{
    git_odb_backend *loose = looseOf(backend);
    if (const int found = loose->exists_prefix(id, loose, prefix, length); found != 0)
        return found;
    return read(data, size, type, backend, id);
}

} // namespace

git_odb_backend *guardLooseBackend(git_odb_backend *loose, std::filesystem::path objects)
{
    auto *self = new (std::nothrow) GuardedBackend{{}, loose, std::move(objects)};
    if (self == nullptr || git_odb_init_backend(&self->parent, GIT_ODB_BACKEND_VERSION) != 0) {
        delete self;
        loose->free(loose);
        return nullptr;
    }
    git_odb_backend &outer = self->parent;
    outer.read = read;
    outer.read_prefix = readPrefix;
    // Reading a header inflates a few bytes only and ends on a cut file; streamed reads are
    // left out, as nothing here streams.
    outer.read_header = [](std::size_t *size, git_object_t *type, git_odb_backend *backend,
                           const git_oid *id) {
        git_odb_backend *inner = looseOf(backend);
        return inner->read_header(size, type, inner, id);
    };
    outer.write = [](git_odb_backend *backend, const git_oid *id, const void *data,
                     std::size_t size, git_object_t type) {
        git_odb_backend *inner = looseOf(backend);
        return inner->write(inner, id, data, size, type);
    };
    outer.writestream = [](git_odb_stream **stream, git_odb_backend *backend,
                           git_object_size_t size, git_object_t type) {
        git_odb_backend *inner = looseOf(backend);
        return inner->writestream(stream, inner, size, type);
    };
    outer.exists = [](git_odb_backend *backend, const git_oid *id) {
        git_odb_backend *inner = looseOf(backend);
        return inner->exists(inner, id);
    };
    outer.exists_prefix = [](git_oid *id, git_odb_backend *backend, const git_oid *prefix,
                             std::size_t length) {
        git_odb_backend *inner = looseOf(backend);
        return inner->exists_prefix(id, inner, prefix, length);
    };
    outer.foreach = [](git_odb_backend *backend, git_odb_foreach_cb callback, void *payload) {
        git_odb_backend *inner = looseOf(backend);
        return inner->foreach (inner, callback, payload);
    };
    outer.freshen = [](git_odb_backend *backend, const git_oid *id) {
        git_odb_backend *inner = looseOf(backend);
        return inner->freshen(inner, id);
    };
    outer.free = [](git_odb_backend *backend) {
        GuardedBackend *owner = &guarded(backend);
        owner->loose->free(owner->loose);
        delete owner;
    };
    return &outer;
}

} // namespace vorela
