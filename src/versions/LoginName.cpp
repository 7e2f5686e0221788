// The author every version carries.
#include "versions/LoginName.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vorela {

std::string loginName()
{
    if (const passwd *entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr)
        return entry->pw_name;
    const char *user = std::getenv("USER");
    return user != nullptr ? user : "unknown";
}

} // namespace vorela
