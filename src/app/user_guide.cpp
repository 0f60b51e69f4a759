#include "app/user_guide.h"

#include "ui/ui_services.h"

#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// The guide lives in a static library: its resources are registered by hand.
static void initUserGuideResources() {
    Q_INIT_RESOURCE(user_guide);
}

namespace qtr {

namespace {

struct Topic {
    const char* name;
    const char* title;
    const char* resource;
};

constexpr Topic kTopics[] = {
    {"QTR", "Úvod", ":/guide/qtr.html"},
    {"Uzivatele", "Uživatelé", ":/guide/uzivatele.html"},
    {"Definice", "Definice systému", ":/guide/definice.html"},
    {"Nastaveni", "Nastavení systému", ":/guide/nastaveni.html"},
    {"Vyuzivani", "Využívání systému", ":/guide/vyuzivani.html"},
    {"Program", "Program", ":/guide/program.html"},
};

} // namespace

QStringList userGuideTopics() {
    QStringList names;
    for (const Topic& t : kTopics) {
        names << QString::fromLatin1(t.name);
    }
    return names;
}

QString userGuidePage(const QString& topic) {
    initUserGuideResources();
    for (const Topic& t : kTopics) {
        if (topic == QLatin1String(t.name)) {
            QFile f(QString::fromLatin1(t.resource));
            if (f.open(QIODevice::ReadOnly)) {
                return QString::fromUtf8(f.readAll());
            }
        }
    }
    return {};
}

void showUserGuide(QWidget* parent, const QString& topic) {
    QDialog window(parent);
    window.setObjectName(QStringLiteral("UserGuide"));
    window.setWindowTitle(QStringLiteral("Nápověda - QTR"));
    auto* contents = new QListWidget(&window);
    contents->setObjectName(QStringLiteral("lbObsah"));
    contents->setMaximumWidth(180);
    auto* page = new QTextBrowser(&window);
    page->setObjectName(QStringLiteral("tbStranka"));
    page->setOpenLinks(false);
    for (const Topic& t : kTopics) {
        auto* line = new QListWidgetItem(QString::fromUtf8(t.title), contents);
        line->setData(Qt::UserRole, QString::fromLatin1(t.name));
    }
    QObject::connect(contents, &QListWidget::currentRowChanged, page, [page, contents](int row) {
        if (row >= 0) {
            page->setHtml(userGuidePage(contents->item(row)->data(Qt::UserRole).toString()));
        }
    });
    // Links between the pages name the topic: <a href="Program">.
    QObject::connect(page, &QTextBrowser::anchorClicked, contents, [contents](const QUrl& url) {
        const int row = static_cast<int>(userGuideTopics().indexOf(url.toString()));
        if (row >= 0) {
            contents->setCurrentRow(row);
        }
    });
    const int start = static_cast<int>(userGuideTopics().indexOf(topic));
    contents->setCurrentRow(start >= 0 ? start : 0);

    auto* btZavrit = new QPushButton(QStringLiteral("zavřít"), &window);
    QObject::connect(btZavrit, &QPushButton::clicked, &window, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(contents);
    row->addWidget(page, 1);
    auto* layout = new QVBoxLayout(&window);
    layout->addLayout(row);
    layout->addWidget(btZavrit, 0, Qt::AlignRight);
    window.resize(760, 540);
    ui::execModal(window);
}

} // namespace qtr
