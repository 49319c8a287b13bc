#pragma once
// The user's own folder for the program's run-time files (the one-copy lock
// and the hand-over folder): no other user may write there, or they could
// plant a lock or hand the running copy any file.

#include <QString>

namespace ruv::platform {

// The folder, made if missing; empty when no folder of the user's own can be
// had. Linux: a DIrararezuvero folder of mode 0700 in the user's runtime
// folder, else in the cache folder, which may be open to the user's group.
// Windows: the user's temporary folder.
QString privateRuntimeFolder();

#ifndef _WIN32
// Whether a folder (not a link to one) belongs to `owner` and neither its group
// nor others may write to it.
bool isPrivateFolder(const QString& folder, unsigned owner);
#endif

}  // namespace ruv::platform
