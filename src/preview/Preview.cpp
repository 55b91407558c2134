#include "preview/Preview.h"

#include "doc/Units.h"
#include "formkit/Application.h"
#include "formkit/DialogKit.h"
#include "platform/Cp1251Literal.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace {

constexpr int kDesk = 12; // pixels of desk around and between the sheets

QSizeF PaperMm(const layout::TPage& page) {
    return QSizeF(page.Width, page.Height) / units::TwipsPerMm;
}

// The folder the last PDF of this run went to: the next one is proposed there too.
QString& PdfFolder() {
    static QString folder;
    return folder;
}

} // namespace

TPageView::TPageView(const layout::TPage& page, QWidget* parent) : QWidget(parent), Page(page) {
    setObjectName("PageView");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageView::SetScale(double pixelsPerMm) {
    PixelsPerMm = pixelsPerMm;
    const QSizeF paper = PaperMm(Page) * PixelsPerMm;
    const auto sheets = static_cast<int>(Page.Sheets.size());
    resize(int(std::ceil(paper.width())) + 2 * kDesk,
           sheets * (int(std::ceil(paper.height())) + kDesk) + kDesk);
    update();
}

QRectF TPageView::SheetRect(std::size_t index) const {
    const QSizeF paper = PaperMm(Page) * PixelsPerMm;
    const double top = kDesk + double(index) * (std::ceil(paper.height()) + kDesk);
    // Whole pixels: the edge of the paper is sharp at every zoom.
    return QRectF(QPointF(std::round((width() - paper.width()) / 2), top), paper);
}

void TPageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    for (std::size_t i = 0; i < Page.Sheets.size(); ++i) {
        const QRectF sheet = SheetRect(i);
        if (!sheet.adjusted(0, 0, 3, 3).intersects(event->rect()))
            continue;
        painter.fillRect(sheet.translated(3, 3), palette().color(QPalette::Shadow));
        painter.fillRect(sheet, Qt::white);
        paint::Paint(painter, Page, i, sheet);
    }
}

TPreviewForm::TPreviewForm(const blank::TPage& page, const QString& name, QWidget* parent)
    : QDialog(parent), Page(layout::Lay(page)), Name(name) {
    BuildControls();
    AskPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, static_cast<int>(Page.Sheets.size()));
        return dialog.exec() == QDialog::Accepted;
    };
    AskPdfFileName = [this](const QString& proposed) {
        QString& folder = PdfFolder();
        if (folder.isEmpty())
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists())
            folder = QDir::homePath();
        QFileDialog dialog(this, QCoreApplication::translate("TPreview", "Сохранить в PDF"), folder,
                           QCoreApplication::translate("TPreview", "Документы PDF (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.selectFile(proposed);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString path = dialog.selectedFiles().constFirst();
        folder = QFileInfo(path).absolutePath();
        return path;
    };
}

void TPreviewForm::BuildControls() {
    setObjectName("PreviewForm");
    setWindowTitle(Name.isEmpty()
                       ? QCoreApplication::translate("TPreview", "Предварительный просмотр")
                       : QCoreApplication::translate("TPreview", "Предварительный просмотр — ") +
                             Name);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);

    auto* tools = new QHBoxLayout;
    tools->setSpacing(2);
    auto button = [&](const char* objectName, const QString& text, const QString& theme,
                      QStyle::StandardPixmap fallback, const QKeySequence& key) {
        auto* b = new QToolButton(this);
        b->setObjectName(objectName);
        b->setText(text);
        b->setIcon(QIcon::fromTheme(theme, style()->standardIcon(fallback)));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                      QStringLiteral(")"));
        connect(new QShortcut(key, this), &QShortcut::activated, b, &QToolButton::click);
        tools->addWidget(b);
        return b;
    };
    PrintButton = button("PrintButton", QCoreApplication::translate("TPreview", "Печать…"),
                         QStringLiteral("document-print"), QStyle::SP_FileDialogContentsView,
                         QKeySequence(Qt::CTRL | Qt::Key_P));
    PdfButton = button("PdfButton", QCoreApplication::translate("TPreview", "Сохранить в PDF…"),
                       QStringLiteral("document-save-as"), QStyle::SP_DialogSaveButton,
                       QKeySequence(Qt::CTRL | Qt::Key_S));
    tools->addSpacing(16);
    WholePageButton =
        button("WholePageButton", QCoreApplication::translate("TPreview", "Страница целиком"),
               QStringLiteral("zoom-fit-best"), QStyle::SP_TitleBarNormalButton,
               QKeySequence(Qt::CTRL | Qt::Key_1));
    PageWidthButton =
        button("PageWidthButton", QCoreApplication::translate("TPreview", "По ширине"),
               QStringLiteral("zoom-fit-width"), QStyle::SP_ToolBarHorizontalExtensionButton,
               QKeySequence(Qt::CTRL | Qt::Key_2));
    ActualSizeButton =
        button("ActualSizeButton", QStringLiteral("100 %"), QStringLiteral("zoom-original"),
               QStyle::SP_TitleBarMaxButton, QKeySequence(Qt::CTRL | Qt::Key_0));
    tools->addStretch(1);
    CloseButton = button("CloseButton", QCoreApplication::translate("TPreview", "Закрыть"),
                         QStringLiteral("window-close"), QStyle::SP_DialogCloseButton,
                         QKeySequence(Qt::Key_Escape));

    auto* zooms = new QButtonGroup(this);
    zooms->setExclusive(true);
    for (QToolButton* b : {WholePageButton, PageWidthButton, ActualSizeButton}) {
        b->setCheckable(true);
        zooms->addButton(b);
    }
    WholePageButton->setChecked(true);

    Scroll = new QScrollArea(this);
    Scroll->setObjectName("Scroll");
    Scroll->setAlignment(Qt::AlignCenter);
    Scroll->setBackgroundRole(QPalette::Dark);
    Scroll->setFrameShape(QFrame::NoFrame);
    View = new TPageView(Page, Scroll);
    Scroll->setWidget(View);
    Scroll->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addLayout(tools);
    layout->addWidget(Scroll, 1);

    auto on = [this](QToolButton* b, auto action) {
        connect(b, &QToolButton::clicked, this, [this, action] { RunGuarded([&] { action(); }); });
    };
    on(PrintButton, [this] { PrintClick(); });
    on(PdfButton, [this] { SavePdfClick(); });
    on(WholePageButton, [this] { SetZoom(TZoom::WholePage); });
    on(PageWidthButton, [this] { SetZoom(TZoom::PageWidth); });
    on(ActualSizeButton, [this] { SetZoom(TZoom::ActualSize); });
    on(CloseButton, [this] { reject(); });

    // The whole sheet in most of the screen's height.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const QSizeF paper = PaperMm(Page);
    const int height = available.height() * 9 / 10;
    const double scale = (height - 60.0 - 2 * kDesk) / paper.height();
    resize(std::min(available.width(), int(paper.width() * scale) + 2 * kDesk + 8 +
                                           Scroll->verticalScrollBar()->sizeHint().width()),
           height);
    CentreOnScreen(this);
    ApplyZoom();
}

void TPreviewForm::SetZoom(TZoom zoom) {
    ZoomMode = zoom;
    (zoom == TZoom::WholePage   ? WholePageButton
     : zoom == TZoom::PageWidth ? PageWidthButton
                                : ActualSizeButton)
        ->setChecked(true);
    ApplyZoom();
}

void TPreviewForm::ApplyZoom() {
    const paint::TViewRoom room{double(Scroll->maximumViewportSize().width()),
                                double(Scroll->maximumViewportSize().height()), kDesk,
                                double(Scroll->verticalScrollBar()->sizeHint().width()),
                                double(logicalDpiX())};
    View->SetScale(std::max(paint::ZoomScale(ZoomMode, Page, room), 0.1));
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Scroll && event->type() == QEvent::Resize && ZoomMode != TZoom::ActualSize)
        ApplyZoom();
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::PrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Name);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The blank's margins are measured from the edge of the paper, not from the printer's.
    printer.setFullPage(true);
    if (!AskPrinter(printer))
        return;
    std::size_t first = 0, last = Page.Sheets.size() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::min(last, static_cast<std::size_t>(printer.fromPage() - 1));
        last = std::clamp(static_cast<std::size_t>(printer.toPage() - 1), first, last);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform::ShowError(
            platform::Tr("Preview", "Не удалось начать печать на выбранном принтере"));
        return;
    }
    // A4 at its own size whatever the paper: nothing is scaled.
    const QRectF paper(QPointF(0, 0),
                       QSizeF(Page.Width, Page.Height) * (printer.resolution() / 1440.0));
    for (std::size_t sheet = first; sheet <= last; ++sheet) {
        if (sheet > first)
            printer.newPage();
        paint::Paint(painter, Page, sheet, paper);
    }
    painter.end();
}

void TPreviewForm::SavePdfClick() {
    const QString path = AskPdfFileName(Name + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    const std::filesystem::path file = QFile::encodeName(path).toStdString();
    paint::WritePdf(Page, Name, file, platform::TDurability::Durable);
}

void ShowPreview(const blank::TPage& page, const QString& name, QWidget* parent) {
    TPreviewForm form(page, name, parent);
    form.exec();
}
