#include "ui/record_navigator.h"

#include "ui/named_button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace qtr::ui {
namespace {

QPushButton* navButton(const QString& text, const QString& name, const QString& hint,
                       QWidget* parent) {
    QPushButton* b = makeButton(text, name, hint, parent);
    b->setFixedWidth(36);
    return b;
}

} // namespace

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("navigator"));
    first_ = navButton(QStringLiteral("|<"), QStringLiteral("btFirst"),
                       QStringLiteral("první záznam"), this);
    previous_ = navButton(QStringLiteral("<"), QStringLiteral("btPrior"),
                          QStringLiteral("předchozí záznam"), this);
    next_ = navButton(QStringLiteral(">"), QStringLiteral("btNext"), QStringLiteral("další záznam"),
                      this);
    last_ = navButton(QStringLiteral(">|"), QStringLiteral("btLast"),
                      QStringLiteral("poslední záznam"), this);
    label_ = new QLabel(QStringLiteral("0/0"), this);
    label_->setObjectName(QStringLiteral("laPos"));
    label_->setMinimumWidth(70);
    label_->setAlignment(Qt::AlignCenter);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(first_);
    row->addWidget(previous_);
    row->addWidget(label_);
    row->addWidget(next_);
    row->addWidget(last_);

    connect(first_, &QPushButton::clicked, this, &RecordNavigator::firstRequested);
    connect(previous_, &QPushButton::clicked, this, &RecordNavigator::previousRequested);
    connect(next_, &QPushButton::clicked, this, &RecordNavigator::nextRequested);
    connect(last_, &QPushButton::clicked, this, &RecordNavigator::lastRequested);
}

void RecordNavigator::setPosition(int position, int count) {
    label_->setText(QStringLiteral("%1/%2").arg(position).arg(count));
}

void RecordNavigator::setNavigationEnabled(bool enabled) {
    for (auto* b : {first_, previous_, next_, last_}) {
        b->setEnabled(enabled);
    }
}

QString RecordNavigator::positionText() const {
    return label_->text();
}

} // namespace qtr::ui
