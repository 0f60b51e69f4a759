#pragma once

#include "ui/message_routines.h"

#include <QFont>
#include <QString>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace qtr::ui {

// Where message boxes go. The program shows them; tests answer them from a queue.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual MessageAnswer present(const MessageRequest& request) = 0;
};

// Whether the save dialog itself asks before an existing file is chosen; Leave when
// the window asks its own question (the output window offers to append).
enum class OverwriteQuestion { Ask, Leave };

// File, font, printer-setup and print dialogs.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    // Empty when the user cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption,
                                                const QString& proposed, const QString& filter) = 0;
    virtual std::optional<QString>
    saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                 const QString& filter, OverwriteQuestion overwrite = OverwriteQuestion::Ask) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    virtual bool printerSetup(QWidget* parent, QPrinter& printer) = 0;
    virtual bool printDialog(QWidget* parent, QPrinter& printer) = 0;
    // Runs a window's own modal dialog or form and returns its result code
    // (QDialog::Accepted, QDialog::Rejected or the code given to done()).
    virtual int execModal(QDialog& dialog) = 0;
};

// The one place that decides how the windows reach the person in front of them.
// The program runs with the real dialogs; a test installs its responder for its
// lifetime with ScopedUiServices. Nothing else is process-wide.
MessagePresenter& messagePresenter();
DialogProvider& dialogProvider();

// Every modal window that a window opens goes through here, never through exec()
// directly, so that a test answers it instead of blocking on it.
int execModal(QDialog& dialog);

class ScopedUiServices {
public:
    ScopedUiServices(MessagePresenter& presenter, DialogProvider& dialogs);
    ~ScopedUiServices();
    ScopedUiServices(const ScopedUiServices&) = delete;
    ScopedUiServices& operator=(const ScopedUiServices&) = delete;

private:
    MessagePresenter* previousPresenter_;
    DialogProvider* previousDialogs_;
};

} // namespace qtr::ui
