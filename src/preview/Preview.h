#pragma once
// The preview of the printed blank: the page as the printer will print it, drawn by the
// program itself, whole or at a zoom; printed with the system's print dialog or saved as a
// PDF.

#include "doc/Blank.h"
#include "paint/BlankPainter.h"

#include <QDialog>
#include <QWidget>

#include <functional>

class QPrinter;
class QScrollArea;
class QToolButton;

// The sheets of the page one under the other on a grey desk.
class TPageView : public QWidget {
public:
    TPageView(const layout::TPage& page, QWidget* parent);
    // Pixels per millimetre of paper.
    void SetScale(double pixelsPerMm);
    double Scale() const { return PixelsPerMm; }
    // The paper of sheet `index` in the view's coordinates.
    QRectF SheetRect(std::size_t index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const layout::TPage& Page;
    double PixelsPerMm = 1;
};

class TPreviewForm : public QDialog {
public:
    // `name` names the document: the window's title and the proposed PDF file.
    TPreviewForm(const blank::TPage& page, const QString& name, QWidget* parent = nullptr);

    using TZoom = paint::TZoom;
    void SetZoom(TZoom zoom);
    TZoom Zoom() const { return ZoomMode; }

    // The print dialog: true when the user chose to print on `printer`, which it may set up.
    std::function<bool(QPrinter& printer)> AskPrinter;
    // The file to save the PDF to, proposed `proposed` (a file name); empty when cancelled.
    std::function<QString(const QString& proposed)> AskPdfFileName;

    void PrintClick();
    void SavePdfClick();

    QToolButton *PrintButton, *PdfButton, *WholePageButton, *PageWidthButton, *ActualSizeButton,
        *CloseButton;
    QScrollArea* Scroll;
    TPageView* View;
    const layout::TPage Page;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ApplyZoom();

    QString Name;
    TZoom ZoomMode = TZoom::WholePage;
};

// Shows the preview of `page` modally and returns when it is closed.
void ShowPreview(const blank::TPage& page, const QString& name, QWidget* parent);
