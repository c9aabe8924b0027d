#pragma once
// A folder that one run writes into alone: the lock is an advisory lock on the folder itself,
// released when the holder ends however it ends, so no stale lock file is ever left behind.

#include <filesystem>

namespace kestrun::io {

class folder_lock {
public:
    // Locks `folder` for this run. Throws kestrun::error (input) naming the folder when another
    // run holds it, (io) when the folder cannot be opened.
    explicit folder_lock(const std::filesystem::path& folder);
    ~folder_lock();
    folder_lock(const folder_lock&) = delete;
    folder_lock& operator=(const folder_lock&) = delete;

private:
    int m_fd = -1;
};

} // namespace kestrun::io
