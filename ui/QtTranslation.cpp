#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace norda {

namespace {
constexpr int kTurkish = 90;
}  // namespace

bool FollowLanguageWithQt(int countryCode) {
    static QPointer<QTranslator> installed;
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return false;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed.data();
    }
    auto* translator = new QTranslator(application);
    const QString name =
        countryCode == kTurkish ? QStringLiteral("qtbase_tr") : QStringLiteral("qtbase_en");
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

}  // namespace norda
