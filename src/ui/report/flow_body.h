#pragma once
// A report body that flows blocks down the pages: each block has a height and
// paints itself across the body's width. A block never splits; a block that
// does not fit goes to the next page. A table row names its heading block,
// which is painted again above it when the row opens a page, and a block that
// must not end a page (a heading, a group title) keeps with the next one.

#include "ui/report/page_frame.h"

#include <QColor>
#include <QPainter>

#include <functional>
#include <vector>

namespace hk::ui {

struct FlowBlock {
    qreal height = 0;                                  // units of the device
    std::function<void(QPainter&, qreal width)> paint; // origin at the block's top left
    int heading = -1;          // index of the block repeated above this one at a page's top
    bool keepWithNext = false; // goes to the next page with the block after it
};

// The fills of a report table: its heading and every second row.
inline const QColor kReportHeadingFill(225, 232, 240);
inline const QColor kReportStripeFill(243, 245, 248);

// A paragraph across width in font, wrapped between words; keepWithNext for
// a title.
FlowBlock ParagraphBlock(const QPaintDevice& device, qreal width, const QString& text,
                         const QFont& font, bool keepWithNext = false);

class FlowBody : public ReportBody {
public:
    int paginate(const QPaintDevice& device, const QSizeF& area) final;
    void paintPage(QPainter& painter, int index, const QSizeF& area) final;

    struct Placed {
        int block;
        qreal top;
    };
    // Where paginate put the blocks, page by page.
    const std::vector<std::vector<Placed>>& pages() const { return pages_; }

protected:
    // The blocks of the body for the given device and body width.
    virtual std::vector<FlowBlock> layOut(const QPaintDevice& device, qreal width) = 0;

private:
    std::vector<FlowBlock> blocks_;
    std::vector<std::vector<Placed>> pages_;
};

} // namespace hk::ui
