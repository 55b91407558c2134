#include "about/About.h"

#include "formkit/Application.h"
#include "formkit/DialogKit.h"
#include "platform/Desktop.h"
#include "platform/Version.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <string>

const char* const TAboutForm::EMail = "vantrel@example.org";
const char* const TAboutForm::WebAddress = "https://www.example.org/vantrel/";

namespace {

// What the web link shows: the address without its scheme, as people say it.
const char* const WebAddressShown = "www.example.org/vantrel/";

const std::string Subject =
    std::string("?Subject=From Vantrel Programm ") + platform::ProgramVersion;

// The program's small picture: a payment order with its lines and a round bank stamp.
QPixmap ProgramPicture() {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(33, 28) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The sheet, its upper right corner folded.
    QPainterPath sheet;
    sheet.moveTo(3.5, 0.5);
    sheet.lineTo(18.5, 0.5);
    sheet.lineTo(23.5, 5.5);
    sheet.lineTo(23.5, 27.5);
    sheet.lineTo(3.5, 27.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(18.5, 0.5);
    fold.lineTo(18.5, 5.5);
    fold.lineTo(23.5, 5.5);
    p.setBrush(QColor(215, 215, 215));
    p.drawPath(fold);

    // Lines of text and the boxed amount.
    p.setPen(QPen(QColor(0, 0, 128), 1));
    for (int y : {4, 7})
        p.drawLine(QPointF(6, y + 0.5), QPointF(16, y + 0.5));
    for (int y : {11, 14, 17})
        p.drawLine(QPointF(6, y + 0.5), QPointF(21, y + 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(14.5, 20.5, 7, 4));

    // The stamp overlapping the sheet's lower left corner.
    p.setPen(QPen(QColor(30, 80, 200), 1.5));
    p.setBrush(QColor(30, 80, 200, 60));
    p.drawEllipse(QPointF(25, 20), 6.5, 6.5);
    p.setPen(QPen(QColor(30, 80, 200), 1));
    p.drawEllipse(QPointF(25, 20), 3.5, 3.5);
    return pixmap;
}

} // namespace

// ---------------------------------------------------------------------------------------

TLinkLabel::TLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128)); // navy
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    Pressed = event->button() == Qt::LeftButton;
    event->accept();
}

// A click is a press and a release of the left button on the label.
void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = Pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    Pressed = false;
    event->accept();
    if (click && OnClick)
        OnClick();
}

// ---------------------------------------------------------------------------------------

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    BuildControls();
    // The box sees keys before its controls: Escape closes it wherever the focus is.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void TAboutForm::BuildControls() {
    setObjectName("AboutForm");
    setWindowTitle(QCoreApplication::translate("TAboutBox", "О программе"));
    SetUpFixedDialog(this, 272, 217, 11);
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::Button));
    setPalette(background);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(18, 12, 33, 28);
    Image1->setPixmap(ProgramPicture());

    Label4 = new QLabel(this);
    Label4->setObjectName("Label4");
    Label4->setGeometry(56, 13, 217, 13);
    QFont bold = font();
    bold.setBold(true);
    Label4->setFont(bold);
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setWordWrap(true);

    Label5 = new QLabel(
        QCoreApplication::translate(
            "TAboutBox", "Вопросы, замечания и предложения по программе направляйте автору:"),
        this);
    Label5->setObjectName("Label5");
    Label5->setGeometry(24, 56, 222, 30);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label5->setWordWrap(true);

    auto autoSized = [](QLabel* label, const char* name, int left, int top) {
        label->setObjectName(name);
        label->move(left, top);
        label->resize(label->sizeHint());
    };
    Label3 = new QLabel(QCoreApplication::translate("TAboutBox", "Электронная почта:"), this);
    autoSized(Label3, "Label3", 34, 93);
    Label2 = new TLinkLabel(QString::fromLatin1(EMail), this);
    autoSized(Label2, "Label2", 142, 93);

    Label7 = new QLabel(
        QCoreApplication::translate("TAboutBox", "Последняя версия программы доступна по адресу"),
        this);
    Label7->setObjectName("Label7");
    Label7->setGeometry(40, 114, 193, 28);
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label7->setWordWrap(true);

    Label1 = new TLinkLabel(QString::fromLatin1(WebAddressShown), this);
    autoSized(Label1, "Label1", 73, 142);

    But_OK = new QPushButton(QStringLiteral("OK"), this);
    But_OK->setObjectName("But_OK");
    But_OK->setGeometry(99, 176, 75, 25);
    But_OK->setDefault(true);
    But_OK->setFocus();

    connect(But_OK, &QPushButton::clicked, this, [this] { RunGuarded([this] { But_OKClick(); }); });
    Label1->OnClick = [this] { RunGuarded([this] { Label1Click(); }); };
    Label2->OnClick = [this] { RunGuarded([this] { Label2Click(); }); };
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAboutForm::FormShow() {
    Label4->setText(QCoreApplication::translate("TAboutBox", "Квирен, версия ") +
                    QString::fromLatin1(platform::ProgramVersion));
}

bool TAboutForm::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    reject();
    return true;
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event))
        QDialog::keyPressEvent(event);
}

void TAboutForm::But_OKClick() {
    accept();
}

void TAboutForm::Label1Click() {
    platform::OpenWithDesktop(WebAddress);
}

void TAboutForm::Label2Click() {
    platform::OpenWithDesktop(std::string("mailto:") + EMail + Subject);
}

void ShowAboutBox() {
    TAboutForm form(QApplication::activeWindow());
    CentreOnScreen(&form);
    form.exec();
}
