#pragma once

#include <QString>

namespace tq {

// Whether the file system holding a folder is nearly full. An interface, so that tests can
// make a disk full without filling one.
class FreeSpaceProbe {
public:
    virtual ~FreeSpaceProbe() = default;
    virtual bool nearlyFull(const QString &folder) const = 0;
};

// The file system's own figures (statvfs): nearly full below 1% or 100 MB free for an
// unprivileged writer. A folder that cannot be looked at counts as not full: writing there
// fails on its own.
class FileSystemFreeSpace : public FreeSpaceProbe {
public:
    static constexpr unsigned long long kMinFreeBytes = 100ULL * 1024 * 1024;
    static constexpr unsigned long long kMinFreePerMille = 10;

    bool nearlyFull(const QString &folder) const override;
};

} // namespace tq
