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

// An exclusive lock on a file that is changed by replacing it whole (write_file), waiting its
// turn: runs that change one shared file take turns on it, and no lock file is left beside it.
// A run that waited may find the file replaced by the one before it; it then locks the new one,
// so the holder always holds the file now at that path. flock's lock belongs to the open file,
// so the threads of one process exclude each other as processes do, and it ends with the holder
// however the holder ends.
class file_lock {
public:
    // Creates the file (empty) when missing. Throws kestrun::error (io) naming the file when it
    // cannot be opened or locked.
    explicit file_lock(const std::filesystem::path& file);
    ~file_lock();
    file_lock(const file_lock&) = delete;
    file_lock& operator=(const file_lock&) = delete;

private:
    int m_fd = -1;
};

} // namespace kestrun::io
