#include "FuzzRegistry.h"

bool FuzzRegistry::add(const char* name, Entry entry)
{
    storage().append(Target{QString::fromLatin1(name), entry});
    return true;
}

const QVector<FuzzRegistry::Target>& FuzzRegistry::targets()
{
    return storage();
}

FuzzRegistry::Entry FuzzRegistry::find(const QString& name)
{
    for (const Target& target : storage()) {
        if (target.name == name) {
            return target.entry;
        }
    }
    return nullptr;
}

QVector<FuzzRegistry::Target>& FuzzRegistry::storage()
{
    // Built on first use, so that registrations from static initialisers in any order find it.
    static QVector<Target> targets;
    return targets;
}
