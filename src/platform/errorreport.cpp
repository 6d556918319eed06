#include "platform/errorreport.h"
#include "platform/apperror.h"

#include <new>

void showErrorBox(Dialogs& dialogs, const QString& text) {
    dialogs.message(MsgKind::Error, MsgButtons::Ok, text);
}

bool runGuarded(Dialogs& dialogs, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const AppError& e) {
        showErrorBox(dialogs, e.message());
    } catch (const std::bad_alloc&) {
        showErrorBox(dialogs, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        showErrorBox(dialogs, QString::fromUtf8(e.what()));
    }
    return false;
}
