#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace qtr {

// The Czech user guide shipped inside the program: an opening page "QTR" and one
// section per main menu.
QStringList userGuideTopics();
// The page of a topic as HTML; empty for an unknown topic.
QString userGuidePage(const QString& topic);
// Opens the guide at a topic ("QTR" is the opening page).
void showUserGuide(QWidget* parent, const QString& topic);

} // namespace qtr
