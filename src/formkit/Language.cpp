#include "formkit/Language.h"

#include "platform/Translate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QTranslator> QtOwn, Program;
blank::TLang Current = blank::TLang::Russian;

std::string TranslateForCore(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

void Remove(std::unique_ptr<QTranslator>& translator) {
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
}

} // namespace

blank::TLang LocaleInterfaceLanguage() {
    return QLocale::system().language() == QLocale::Ukrainian ? blank::TLang::Ukrainian
                                                              : blank::TLang::Russian;
}

bool SetInterfaceLanguage(blank::TLang lang) {
    // The program's Russian texts are its sources, so Russian needs only Qt's own.
    Q_INIT_RESOURCE(translations);
    const bool ukrainian = lang == blank::TLang::Ukrainian;
    Remove(QtOwn);
    Remove(Program);
    Current = lang;
    platform::SetTranslator(&TranslateForCore);
    auto qt = std::make_unique<QTranslator>();
    const bool loaded = qt->load(ukrainian ? QLocale(QLocale::Ukrainian, QLocale::Ukraine)
                                           : QLocale(QLocale::Russian, QLocale::Russia),
                                 QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) {
        QCoreApplication::installTranslator(qt.get());
        QtOwn = std::move(qt);
    }
    if (ukrainian) {
        auto own = std::make_unique<QTranslator>();
        if (own->load(QStringLiteral(":/i18n/vantrel_uk.qm"))) {
            QCoreApplication::installTranslator(own.get());
            Program = std::move(own);
        }
    }
    return loaded;
}

blank::TLang InterfaceLanguage() {
    return Current;
}

void SwitchInterfaceLanguage(blank::TLang lang) {
    if (lang != Current)
        SetInterfaceLanguage(lang);
}
