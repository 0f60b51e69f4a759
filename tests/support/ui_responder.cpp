#include "support/ui_responder.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace qtr::test {

UiResponder::UiResponder() : scope_(*this, *this) {}

UiResponder::~UiResponder() {
    for (const auto& m : messages_) {
        ADD_FAILURE() << "expected message box never shown: " << m.textPart.toStdString();
    }
    if (!openFiles_.empty() || !saveFiles_.empty()) {
        ADD_FAILURE() << "expected file dialog never shown";
    }
    if (!fonts_.empty() || !printerSetups_.empty() || !prints_.empty()) {
        ADD_FAILURE() << "expected font, printer setup or print dialog never shown";
    }
    for (const auto& d : dialogs_) {
        ADD_FAILURE() << "expected dialog never opened: " << d.name.toStdString();
    }
}

void UiResponder::expectMessage(const QString& textPart, ui::MessageAnswer answer) {
    messages_.push_back({textPart, answer});
}

void UiResponder::expectDialog(const QString& name, std::function<void(QDialog&)> act) {
    dialogs_.push_back({name, std::move(act)});
}

void UiResponder::expectOpenFile(std::optional<QString> file) {
    openFiles_.push_back(std::move(file));
}
void UiResponder::expectSaveFile(std::optional<QString> file) {
    saveFiles_.push_back(std::move(file));
}
void UiResponder::expectFont(std::optional<QFont> font) {
    fonts_.push_back(std::move(font));
}
void UiResponder::expectPrinterSetup(std::function<bool(QPrinter&)> act) {
    printerSetups_.push_back(std::move(act));
}
void UiResponder::expectPrint(std::function<bool(QPrinter&)> act) {
    prints_.push_back(std::move(act));
}

ui::MessageAnswer UiResponder::present(const ui::MessageRequest& request) {
    shown_.push_back(request);
    if (messages_.empty()) {
        ADD_FAILURE() << "unexpected message box: [" << request.caption.toStdString() << "] "
                      << request.text.toStdString();
        return request.buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::No
                                                            : ui::MessageAnswer::Cancel;
    }
    const Expected e = messages_.front();
    messages_.pop_front();
    EXPECT_TRUE(request.text.contains(e.textPart))
        << "message box shows \"" << request.text.toStdString() << "\", expected it to contain \""
        << e.textPart.toStdString() << "\"";
    return e.answer;
}

std::optional<QString> UiResponder::openFileName(QWidget*, const QString&, const QString&,
                                                 const QString&) {
    if (openFiles_.empty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return std::nullopt;
    }
    auto f = openFiles_.front();
    openFiles_.pop_front();
    return f;
}

std::optional<QString> UiResponder::saveFileName(QWidget*, const QString& caption,
                                                 const QString& proposed, const QString& filter,
                                                 ui::OverwriteQuestion overwrite) {
    lastSave_ = SaveRequest{caption, proposed, filter, overwrite};
    if (saveFiles_.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return std::nullopt;
    }
    auto f = saveFiles_.front();
    saveFiles_.pop_front();
    return f;
}

std::optional<QFont> UiResponder::chooseFont(QWidget*, const QFont&) {
    if (fonts_.empty()) {
        ADD_FAILURE() << "unexpected font dialog";
        return std::nullopt;
    }
    auto f = fonts_.front();
    fonts_.pop_front();
    return f;
}

namespace {
bool answerPrinterDialog(std::deque<std::function<bool(QPrinter&)>>& queue, QPrinter& printer,
                         const char* what) {
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected " << what << " dialog";
        return false;
    }
    auto act = std::move(queue.front());
    queue.pop_front();
    return act(printer);
}
} // namespace

bool UiResponder::printerSetup(QWidget*, QPrinter& printer) {
    return answerPrinterDialog(printerSetups_, printer, "printer setup");
}

bool UiResponder::printDialog(QWidget*, QPrinter& printer) {
    return answerPrinterDialog(prints_, printer, "print");
}

int UiResponder::execModal(QDialog& dialog) {
    const QString name = dialog.objectName().isEmpty() ? QString(dialog.metaObject()->className())
                                                       : dialog.objectName();
    if (dialogs_.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << name.toStdString() << " \""
                      << dialog.windowTitle().toStdString() << "\"";
        return QDialog::Rejected;
    }
    ExpectedDialog e = std::move(dialogs_.front());
    dialogs_.pop_front();
    if (name != e.name) {
        ADD_FAILURE() << "dialog " << name.toStdString() << " opened, expected "
                      << e.name.toStdString();
        return QDialog::Rejected;
    }
    dialog.setResult(QDialog::Rejected);
    e.act(dialog);
    return dialog.result();
}

} // namespace qtr::test
