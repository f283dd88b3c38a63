// The program's own controls as assistive technology reads them: the grid as a table of named
// cells, the digit display, the comment panel and the turn stone as a name and a value.
#pragma once

class QWidget;
class TRxDrawGrid;

// Puts the interfaces in place; the first control made calls it.
void InstallWidgetsAccessibility();

// The name of cell (Col, Row) may have changed.
void AccessibleCellChanged(TRxDrawGrid& grid, int Col, int Row);
// The grid's focus cell moved, or the grid took the focus.
void AccessibleFocusCell(TRxDrawGrid& grid);
// What a display or panel shows has changed, and with it its name.
void AccessibleShownChanged(QWidget* control);
