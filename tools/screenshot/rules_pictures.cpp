// The rules dialog's pictures: mh_ruvivuvaz-screenshot --rules APP_FOLDER OUTPUT_FOLDER
// opens オプション > 通知ルールの設定… over the rules of APP_FOLDER, saves the
// dialog, runs 過去ログで試す over the daily logs of the folder config.ini
// names, and saves the dialog again with the counts and costs.

#include "tools/screenshot/rules_pictures.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

#include "shell/app/main_window.h"
#include "shell/platform/qt_text.h"
#include "shell/rules/rules_dialog.h"

namespace ruv {

namespace {

constexpr int kTrialTimeoutMilliseconds = 60'000;

bool saveWidget(QWidget& widget, const QString& folder, const char* name) {
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    const bool saved = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

}  // namespace

int photographRules(const QString& appFolder, const QString& output) {
    AppEnvironment environment;
    environment.settingsFolder = pathFromQString(appFolder);
    MainWindow window(environment);
    window.show();
    auto* entry = window.findChild<QAction*>(QStringLiteral("RulesOption01"));
    if (entry == nullptr) {
        std::fprintf(stderr, "no 通知ルールの設定… entry\n");
        return 1;
    }
    entry->trigger();
    auto* dialog = window.findChild<RulesDialog*>();
    if (dialog == nullptr || dialog->rules().rules.empty()) {
        std::fprintf(stderr, "no rules dialog, or no rules in %s\n", qPrintable(appFolder));
        return 1;
    }
    // The boss rule: a regular expression, channels, a colour and a cooldown.
    dialog->setCurrentRule(std::min(2, static_cast<int>(dialog->rules().rules.size()) - 1));
    QApplication::processEvents();
    int failures = saveWidget(*dialog, output, "rules-dialog.png") ? 0 : 1;

    QObject::connect(dialog, &RulesDialog::trialShown, dialog, [&] {
        QApplication::processEvents();
        std::printf("trial: %s\n", qPrintable(dialog->trialSummary()->text()));
        failures += saveWidget(*dialog, output, "rules-trial.png") ? 0 : 1;
        QApplication::quit();
    });
    QTimer::singleShot(kTrialTimeoutMilliseconds, [&] {
        std::fprintf(stderr, "the trial did not finish\n");
        ++failures;
        QApplication::quit();
    });
    dialog->startTrial();
    QApplication::exec();
    return failures == 0 ? 0 : 1;
}

}  // namespace ruv
