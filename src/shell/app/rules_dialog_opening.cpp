#include "shell/app/rules_dialog_opening.h"

#include "core/rules/rule_engine.h"
#include "core/rules/rules_file.h"
#include "core/text/cp932.h"
#include "shell/app/session.h"
#include "shell/rules/rules_dialog.h"

namespace ruv {

RulesDialog* openRulesDialog(RulesDialogPlace place) {
    Session& session = place.session;
    const std::filesystem::path folder = place.settingsFolder;
    RulesDialogInputs inputs{
        session.core.rules.rules(),
        session.messages,
        [&session](const std::string& path) { session.ruleSounds.playRuleSound(path); },
        [&session](const std::string& phrase) {
            // Spoken now, with no line: the placeholders read as what they stand for.
            const auto cp932 = [](std::string_view utf8) {
                return cp932::fromUtf8(utf8).value_or(std::string());
            };
            if (const std::optional<std::string> cp932Phrase = cp932::fromUtf8(phrase)) {
                session.core.speech.speakRulePhrase(
                    fillPhrase(*cp932Phrase, cp932("発言者"), cp932("本文"), cp932("チャンネル")),
                    "", SpeechPriority::High);
            }
        },
        [&session, folder](const RuleSet& rules) {
            if (folder.empty()) {
                session.core.rules.setRules(rules);
                return;
            }
            session.core.saveRules(folder, rules);
        },
        folder.empty() ? std::filesystem::path(kRulesFileName) : folder / kRulesFileName,
        std::move(place.logFolder),
        [&session] { return dateOf(session.clock.now()); },
    };
    inputs.unreadFile = session.core.unreadRulesFile();
    auto* dialog = new RulesDialog(std::move(inputs), place.parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace ruv
