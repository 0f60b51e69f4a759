#include "setup/name_choice_panel.h"

#include "setup/editor_widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr::setup {

NameChoicePanel::NameChoicePanel(const QString& title, const QString& objectName, QWidget* window)
    : QFrame(window) {
    setObjectName(objectName);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);

    auto* caption = new QLabel(title, this);
    caption->setStyleSheet(QStringLiteral("font-weight: bold;"));
    close_ = makeButton(QStringLiteral("X"), QStringLiteral("btZavrit"),
                        QStringLiteral("zavřít seznam"), this);
    close_->setFixedWidth(28);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lbSeznam"));
    clear_ = makeButton(QStringLiteral("vymazat název"), QStringLiteral("btVymazat"),
                        QStringLiteral("vyprázdní položku"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(caption, 1);
    top->addWidget(close_);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(6, 6, 6, 6);
    box->addLayout(top);
    box->addWidget(list_, 1);
    box->addWidget(clear_);

    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        hide();
        emit chosen(item->text());
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        hide();
        emit chosen(QString());
    });
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);
    resize(220, 260);
    hide();
}

void NameChoicePanel::setNames(const QStringList& names) {
    list_->clear();
    list_->addItems(names);
}

void NameChoicePanel::openFor(QWidget* field) {
    QWidget* window = parentWidget();
    QPoint at = field->mapTo(window, QPoint(field->width() + 4, 0));
    // Keep the whole panel inside the window.
    at.setX(std::max(0, std::min(at.x(), window->width() - width())));
    at.setY(std::max(0, std::min(at.y(), window->height() - height())));
    move(at);
    show();
    raise();
    list_->setFocus();
}

void NameChoicePanel::openOver(QWidget* area) {
    setGeometry(QRect(area->mapTo(parentWidget(), QPoint(0, 0)), area->size()));
    show();
    raise();
    list_->setFocus();
}

} // namespace qtr::setup
