#pragma once

#include "ui/ui_services.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace qtr::test {

// Answers the windows' message boxes and dialogs from queues while it lives.
// A box or dialog nobody queued an answer for fails the test instead of blocking
// it; answers left unused at the end fail it too.
class UiResponder final : public ui::MessagePresenter, public ui::DialogProvider {
public:
    UiResponder();
    ~UiResponder() override;

    // The next message box must contain `textPart`; it is answered with `answer`.
    void expectMessage(const QString& textPart, ui::MessageAnswer answer = ui::MessageAnswer::Ok);
    // The next open/save dialog returns this file (nullopt = cancelled).
    void expectOpenFile(std::optional<QString> file);
    void expectSaveFile(std::optional<QString> file);
    // The next font dialog returns this font (nullopt = cancelled).
    void expectFont(std::optional<QFont> font);
    // The next printer-setup or print dialog: `act` sets the printer up as the user
    // would (for example to print into a PDF file) and returns whether it was confirmed.
    void expectPrinterSetup(std::function<bool(QPrinter&)> act);
    void expectPrint(std::function<bool(QPrinter&)> act);
    // The next modal window must have this objectName (or, when it has none, this class
    // name). It is not shown: `act` fills it in and presses its buttons, and the dialog's
    // result() afterwards is what the window that opened it gets.
    void expectDialog(const QString& name, std::function<void(QDialog&)> act);

    // Every box shown so far, in order.
    const std::vector<ui::MessageRequest>& shown() const { return shown_; }

    // What the last save dialog was asked to show.
    struct SaveRequest {
        QString caption;
        QString proposed;
        QString filter;
        ui::OverwriteQuestion overwrite;
    };
    const std::optional<SaveRequest>& lastSaveRequest() const { return lastSave_; }

    ui::MessageAnswer present(const ui::MessageRequest& request) override;
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&,
                                        const QString&) override;
    std::optional<QString> saveFileName(QWidget*, const QString& caption, const QString& proposed,
                                        const QString& filter,
                                        ui::OverwriteQuestion overwrite) override;
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override;
    bool printerSetup(QWidget*, QPrinter&) override;
    bool printDialog(QWidget*, QPrinter&) override;
    int execModal(QDialog& dialog) override;

private:
    struct Expected {
        QString textPart;
        ui::MessageAnswer answer;
    };
    std::deque<Expected> messages_;
    std::deque<std::optional<QString>> openFiles_;
    std::deque<std::optional<QString>> saveFiles_;
    std::optional<SaveRequest> lastSave_;
    std::deque<std::optional<QFont>> fonts_;
    std::deque<std::function<bool(QPrinter&)>> printerSetups_;
    std::deque<std::function<bool(QPrinter&)>> prints_;
    struct ExpectedDialog {
        QString name;
        std::function<void(QDialog&)> act;
    };
    std::deque<ExpectedDialog> dialogs_;
    std::vector<ui::MessageRequest> shown_;
    ui::ScopedUiServices scope_;
};

} // namespace qtr::test
