#pragma once

#include <QString>

namespace zorvikta {

// A failed file operation: the runtime's message, without the full stop the error box adds.
struct FileError {
    QString message;
};

// The runtime's message for an errno value; a directory counts as access denied, as it does
// where the file formats come from.
QString messageForErrno(int code);

} // namespace zorvikta
