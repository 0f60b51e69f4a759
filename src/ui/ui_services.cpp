#include "ui/ui_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace qtr::ui {
namespace {

class QtMessagePresenter final : public MessagePresenter {
public:
    MessageAnswer present(const MessageRequest& r) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(r.caption);
        box.setText(r.text);
        switch (r.icon) {
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::None:
            break;
        }
        switch (r.buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("Zrušit"));
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.button(QMessageBox::Yes)->setText(QStringLiteral("Ano"));
            box.button(QMessageBox::No)->setText(QStringLiteral("Ne"));
            box.setDefaultButton(r.defaultAnswer == MessageAnswer::No ? QMessageBox::No
                                                                      : QMessageBox::Yes);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            // Closing the box counts as its negative answer.
            return r.buttons == MessageButtons::YesNo ? MessageAnswer::No
                   : r.buttons == MessageButtons::Ok  ? MessageAnswer::Ok
                                                      : MessageAnswer::Cancel;
        }
    }
};

class QtDialogProvider final : public DialogProvider {
public:
    std::optional<QString> openFileName(QWidget* parent, const QString& caption,
                                        const QString& proposed, const QString& filter) override {
        const QString f = QFileDialog::getOpenFileName(parent, caption, proposed, filter);
        return f.isEmpty() ? std::nullopt : std::optional(f);
    }
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption,
                                        const QString& proposed, const QString& filter,
                                        OverwriteQuestion overwrite) override {
        const QString f = QFileDialog::getSaveFileName(parent, caption, proposed, filter, nullptr,
                                                       overwrite == OverwriteQuestion::Leave
                                                           ? QFileDialog::DontConfirmOverwrite
                                                           : QFileDialog::Options());
        return f.isEmpty() ? std::nullopt : std::optional(f);
    }
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, initial, parent);
        return ok ? std::optional(f) : std::nullopt;
    }
    bool printerSetup(QWidget* parent, QPrinter& printer) override {
        QPageSetupDialog d(&printer, parent);
        return d.exec() == QDialog::Accepted;
    }
    bool printDialog(QWidget* parent, QPrinter& printer) override {
        QPrintDialog d(&printer, parent);
        return d.exec() == QDialog::Accepted;
    }
    int execModal(QDialog& dialog) override { return dialog.exec(); }
};

QtMessagePresenter gQtPresenter;
QtDialogProvider gQtDialogs;
MessagePresenter* gPresenter = &gQtPresenter;
DialogProvider* gDialogs = &gQtDialogs;

} // namespace

MessagePresenter& messagePresenter() {
    return *gPresenter;
}
DialogProvider& dialogProvider() {
    return *gDialogs;
}

int execModal(QDialog& dialog) {
    return gDialogs->execModal(dialog);
}

ScopedUiServices::ScopedUiServices(MessagePresenter& presenter, DialogProvider& dialogs)
    : previousPresenter_(gPresenter), previousDialogs_(gDialogs) {
    gPresenter = &presenter;
    gDialogs = &dialogs;
}

ScopedUiServices::~ScopedUiServices() {
    gPresenter = previousPresenter_;
    gDialogs = previousDialogs_;
}

} // namespace qtr::ui
