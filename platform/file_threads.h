#pragma once
// Waits on the file system taken off the caller's path, on the threads kept
// for disk waits (Background::diskWaits): the freeing of files that were
// replaced or removed, and syncs that the disk serves faster together than
// one after another.
#include <functional>

namespace FileThreads {

// Closes fd on another thread. Closing the last descriptor of a file whose
// name was renamed over or removed frees its blocks, which costs the file
// system several times the rename itself. When many descriptors wait
// already, fd is closed here, so that a long run never exhausts them; those
// still waiting when the program ends are closed on its way out.
void closeLater(int fd);
// Whether the last close of a file frees it on a local disk, where that
// costs the rename or unlink that drops its name: a network or user-space
// file system instead keeps a file open under another name (".nfs…",
// ".fuse_hidden…") until it is closed, so there a file is closed first.
bool freedOnLocalDisk(int fd);
// Returns once every descriptor handed to closeLater is closed.
void waitUntilClosed();
// Runs task(0) ... task(count - 1), a few at once (the caller's thread
// among them), and returns when every one has returned: true when all
// returned true.
bool runTogether(int count, const std::function<bool(int)>& task);

}  // namespace FileThreads
