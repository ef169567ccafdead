#include "flow_body.h"

#include <QFontMetricsF>

namespace hk::ui {

int FlowBody::paginate(const QPaintDevice& device, const QSizeF& area) {
    blocks_ = layOut(device, area.width());
    pages_.assign(1, {});
    qreal y = 0;
    const int count = static_cast<int>(blocks_.size());
    for (int i = 0; i < count; ++i) {
        const FlowBlock& block = blocks_[static_cast<std::size_t>(i)];
        // This block and those that keep with it must fit before a break.
        qreal needed = block.height;
        for (int j = i; j + 1 < count && blocks_[static_cast<std::size_t>(j)].keepWithNext; ++j) {
            needed += blocks_[static_cast<std::size_t>(j + 1)].height;
        }
        if (y > 0 && y + needed > area.height()) {
            pages_.emplace_back();
            y = 0;
        }
        if (y == 0 && block.heading >= 0 && block.heading != i) {
            pages_.back().push_back({block.heading, y});
            y += blocks_[static_cast<std::size_t>(block.heading)].height;
        }
        pages_.back().push_back({i, y});
        y += block.height;
    }
    return static_cast<int>(pages_.size());
}

void FlowBody::paintPage(QPainter& painter, int index, const QSizeF& area) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) {
        return;
    }
    for (const Placed& placed : pages_[static_cast<std::size_t>(index)]) {
        const FlowBlock& block = blocks_[static_cast<std::size_t>(placed.block)];
        if (!block.paint) {
            continue;
        }
        painter.save();
        painter.translate(0, placed.top);
        block.paint(painter, area.width());
        painter.restore();
    }
}

FlowBlock ParagraphBlock(const QPaintDevice& device, qreal width, const QString& text,
                         const QFont& font, bool keepWithNext) {
    const QFontMetricsF fm(font, &device);
    const qreal h = fm.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text).height() +
                    fm.height() * 0.3;
    return {h,
            [text, font, h](QPainter& p, qreal w) {
                p.setFont(font);
                p.setPen(Qt::black);
                p.drawText(QRectF(0, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                           text);
            },
            -1, keepWithNext};
}

} // namespace hk::ui
