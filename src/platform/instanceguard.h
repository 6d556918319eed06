#pragma once
#include <memory>
#include <QString>

class QLockFile;

// Keeps a second copy of the program from running. The lock is a file in the temporary
// folder that records the owner's process id, so a lock left by a crashed run is taken over.
class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const QString& name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True when this process holds the lock; false when another copy runs.
    bool isFirst() const { return first_; }
    static QString lockFilePath(const QString& name);

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};
