#include "platform/richtext/RtfTableBuilder.h"

#include <QTextTable>

#include <algorithm>

namespace platform {

namespace {
constexpr int maxColumns = 64;
constexpr int maxWidth = 31680; // twips: 22 inches
} // namespace

void RtfTableBuilder::defineRow() {
    nextRowDefined_ = rowEnded_;
    boundaries_.clear();
    shades_.clear();
    shade_ = QColor();
    border_ = false;
}

void RtfTableBuilder::cellBoundary(int twips) {
    if (boundaries_.size() >= size_t(maxColumns)) return;
    boundaries_.push_back(std::clamp(twips, 0, maxColumns * maxWidth));
    shades_.push_back(shade_);
    shade_ = QColor();
}

void RtfTableBuilder::start(QTextCursor& cursor) {
    QTextTableFormat f;
    QList<QTextLength> widths;
    int left = 0;
    for (int x : boundaries_) {
        widths << QTextLength(QTextLength::FixedLength,
                              std::clamp(x - left, 1, maxWidth) * unitsPerTwip_);
        left = std::max(x, left);
    }
    f.setColumnWidthConstraints(widths);
    f.setBorder(border_ ? 1 : 0);
    f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    f.setBorderCollapse(true);
    f.setCellPadding(0);
    f.setCellSpacing(0);
    f.setMargin(0);
    // A table follows a block of its own, empty and taking no room, which RtfWriter
    // leaves out.
    if (cursor.block().length() > 1) cursor.insertBlock(QTextBlockFormat());
    QTextBlockFormat empty;
    empty.setLineHeight(0, QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(empty); // and is in no list
    table_ = cursor.insertTable(1, std::max<int>(1, int(boundaries_.size())), f);
    row_ = column_ = cursorColumn_ = 0;
    rowEnded_ = false;
    shadeRow();
    cursor = table_->cellAt(0, 0).firstCursorPosition();
}

void RtfTableBuilder::shadeRow() {
    for (size_t i = 0; i < shades_.size() && int(i) < table_->columns(); ++i) {
        if (!shades_[i].isValid()) continue;
        QTextTableCell cell = table_->cellAt(row_, int(i));
        QTextTableCellFormat f = cell.format().toTableCellFormat();
        f.setBackground(shades_[i]);
        cell.setFormat(f);
    }
}

void RtfTableBuilder::place(QTextCursor& cursor, bool inTable) {
    if (inTable && !table_) {
        start(cursor);
    } else if (inTable && rowEnded_) {
        table_->appendRows(1);
        ++row_;
        column_ = cursorColumn_ = 0;
        rowEnded_ = false;
        shadeRow();
        cursor = table_->cellAt(row_, 0).firstCursorPosition();
    } else if (inTable && column_ != cursorColumn_) {
        column_ = std::min(column_, maxColumns - 1);
        if (column_ >= table_->columns()) table_->appendColumns(column_ - table_->columns() + 1);
        cursorColumn_ = column_;
        cursor = table_->cellAt(row_, column_).firstCursorPosition();
    } else if (!inTable && table_ && rowEnded_) {
        cursor = table_->lastCursorPosition();
        cursor.movePosition(QTextCursor::NextBlock);
        table_ = nullptr;
    }
}

void RtfTableBuilder::placeWithin(QTextCursor& cursor, bool inTable) {
    if (!inTable) return;
    if (!table_ || (rowEnded_ && nextRowDefined_) || (!rowEnded_ && column_ < table_->columns()))
        place(cursor, true);
}

} // namespace platform
