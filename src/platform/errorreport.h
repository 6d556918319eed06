#pragma once
#include "platform/dialogs.h"
#include <functional>

// The one place where a failed command meets the user: runs the command and shows any
// error in the standard error box. Returns false when the command failed.
bool runGuarded(Dialogs& dialogs, const std::function<void()>& command);
void showErrorBox(Dialogs& dialogs, const QString& text);
