#include "access/forms/schedule_graph_view.h"

#include "access/schedule_graph.h"
#include "ui/qt_text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace qtr::access {
namespace {

const QColor kBar = Qt::blue;

void fillBars(QImage& image, const std::vector<GraphBar>& bars) {
    QPainter p(&image);
    for (const GraphBar& b : bars) {
        p.fillRect(b.x, b.y, b.width, b.height, kBar);
    }
}

} // namespace

QImage weekGraphImage(std::span<const TimeSegment> segments) {
    using L = WeekGraphLayout;
    QImage image(L::kWidth, L::kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setPen(Qt::black);
        for (int day = 0; day < 7; ++day) {
            p.drawRect(0, day * L::kRowHeight, L::kWidth - 1, L::kRowHeight - 1);
        }
    }
    fillBars(image, weekGraphBars(segments));
    return image;
}

QImage entryGraphImage(std::span<const TimeSegment> segments) {
    using L = EntryGraphLayout;
    QImage image(L::kWidth, L::kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setPen(Qt::black);
        p.drawLine(0, L::kBaseLine, L::kWidth - 1, L::kBaseLine);
        for (int x : L::kTicks) {
            p.drawLine(x, L::kBaseLine - L::kTickLength, x, L::kBaseLine);
        }
    }
    fillBars(image, entryGraphBars(segments));
    return image;
}

GraphView::GraphView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void GraphView::setImage(const QImage& image) {
    image_ = image;
    updateGeometry();
    update();
}

QSize GraphView::sizeHint() const {
    return image_.size() * kScale;
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QRect(QPoint(0, 0), image_.size() * kScale), image_);
}

WeekGraph::WeekGraph(const QString& name, QWidget* parent) : QWidget(parent) {
    view_ = new GraphView(this);
    view_->setObjectName(name);
    view_->setToolTip(QStringLiteral("graf časového rozvrhu"));
    view_->setImage(weekGraphImage({}));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    const char* days[] = {"Po", "Út", "St", "Čt", "Pá", "So", "Ne"};
    auto* dayColumn = new QGridLayout;
    dayColumn->setSpacing(0);
    for (int d = 0; d < 7; ++d) {
        auto* l = new QLabel(ui::toQ(days[d]), this);
        l->setFixedHeight(WeekGraphLayout::kRowHeight * GraphView::kScale);
        dayColumn->addWidget(l, d, 0);
    }
    grid->addLayout(dayColumn, 0, 0);
    grid->addWidget(view_, 0, 1);

    // A fixed-pitch scale whose characters fall under the hours they name: ten
    // characters per six hours, 36 slots.
    auto* scale = new QLabel(ui::toQ(kWeekGraphScale), this);
    scale->setObjectName(name + QStringLiteral("Skala"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    const double pitch = 36.0 * GraphView::kScale / 10.0;
    font.setLetterSpacing(QFont::AbsoluteSpacing,
                          pitch - QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')));
    scale->setFont(font);
    scale->setContentsMargins(GraphView::kScale - 2, 0, 0, 0);
    grid->addWidget(scale, 1, 1);
}

void WeekGraph::setSegments(std::span<const TimeSegment> segments) {
    view_->setImage(weekGraphImage(segments));
}

} // namespace qtr::access
