// Write transactions and read snapshots of the registry store.
#include "platform/RegistryTransaction.h"

#include "platform/RegistryStore.h"

namespace vorela {

RegistryTransaction::RegistryTransaction(RegistryStore &store)
    : owner(store), active(store.beginTransaction())
{
}

RegistryTransaction::~RegistryTransaction()
{
    if (!finished)
        (void)owner.endTransaction(/*keep=*/false);
}

bool RegistryTransaction::commit()
{
    if (finished)
        return false;
    finished = true;
    return owner.endTransaction(/*keep=*/active);
}

RegistryReadTransaction::RegistryReadTransaction(RegistryStore &store)
    : owner(store), began(store.beginRead())
{
}

RegistryReadTransaction::~RegistryReadTransaction()
{
    if (began)
        owner.endRead();
}

} // namespace vorela
