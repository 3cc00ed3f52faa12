#pragma once

#include <QString>

// The reason of a failed file operation in French. The system reports its
// reasons in English; the common ones are worded anew, any other is kept.
QString frenchReason(const QString &systemReason);

// The reason given when the file to replace is protected against writing.
QString readOnlyReason();
