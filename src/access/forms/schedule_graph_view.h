#pragma once

// moc cannot parse some C++20 in the core headers.
#ifndef Q_MOC_RUN
#include "db/access_schedule_record.h"
#endif

#include <QImage>
#include <QWidget>
#include <span>

namespace qtr::access {

// The images of the two schedule graphs, pixel for pixel: white rows framed in
// black with blue bars (the week graph), or blue lines over a base line with
// six-hour ticks (the graph of one permission entry).
QImage weekGraphImage(std::span<const TimeSegment> segments);
QImage entryGraphImage(std::span<const TimeSegment> segments);

// Shows a graph image at twice its size, pixels kept sharp, so that ten minutes
// stay visible on today's screens.
class GraphView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kScale = 2;

    explicit GraphView(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// The week graph with the day names beside its rows and the hour scale under it.
class WeekGraph : public QWidget {
    Q_OBJECT

public:
    // `name` is the graph view's objectName, the graph's hint "graf časového rozvrhu".
    WeekGraph(const QString& name, QWidget* parent = nullptr);
    void setSegments(std::span<const TimeSegment> segments);
    const QImage& image() const { return view_->image(); }

private:
    GraphView* view_;
};

} // namespace qtr::access
