#pragma once
// Builds the QTextTables of an RTF document as RtfReader meets its row definitions
// (\trowd, \cellx with the cell's shading and borders), its table paragraphs (\intbl) and
// the ends of cells and rows (\cell, \row). Rows of more cells than the table has add
// columns; the first row's cell boundaries give the column widths.
#include <QColor>
#include <QTextCursor>

#include <vector>

class QTextTable;

namespace platform {

class RtfTableBuilder {
  public:
    explicit RtfTableBuilder(double unitsPerTwip) : unitsPerTwip_(unitsPerTwip) {}

    // Row definition.
    void defineRow();
    void cellBoundary(int twips);
    void cellShading(const QColor& color) { shade_ = color; }
    void border() { border_ = true; }

    // Moves the cursor where content goes next: into the table (made or grown here) when
    // the content is in a table paragraph, after the table when a finished table ends.
    void place(QTextCursor& cursor, bool inTable);
    // As place(), for content that adds no row or column to a table made already, unless a
    // row definition after the last row's end says that the content starts the next row.
    void placeWithin(QTextCursor& cursor, bool inTable);
    // The current cell or row ends: what follows goes into the next one.
    void endCell() { ++column_; }
    void endRow() {
        rowEnded_ = true;
        nextRowDefined_ = false;
    }
    // The cursor stands in the table being built (QTextCursor::currentTable() does not see
    // the table while the edit block that inserts it is open).
    bool holdsCursor() const { return table_ != nullptr; }

  private:
    void start(QTextCursor& cursor);
    void shadeRow();

    const double unitsPerTwip_;
    std::vector<int> boundaries_; // twips
    std::vector<QColor> shades_;
    QColor shade_;
    bool border_ = false;
    QTextTable* table_ = nullptr;
    int row_ = 0, column_ = 0; // where content goes next
    int cursorColumn_ = 0;     // where the cursor is
    bool rowEnded_ = false;
    bool nextRowDefined_ = false; // a row definition follows the end of the last row
};

} // namespace platform
