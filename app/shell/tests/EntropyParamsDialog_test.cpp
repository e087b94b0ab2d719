#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <deque>

#include "shell/EntropyParamsDialog.h"
#include "shell/GeneralOptionsDialog.h"
#include "shell/tests/ModalDriver.h"

namespace {

// Answers the dialog's value prompts in turn (nothing = Cancel) and records what it was asked.
struct ScriptedPrompt {
    std::deque<std::optional<QString>> answers;
    std::vector<std::pair<QString, QString>> asked;  // label, initial text

    EntropyParamsDialog::ValuePrompt prompt() {
        return [this](QWidget*, const QString& label, const QString& initial) {
            asked.emplace_back(label, initial);
            std::optional<QString> answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
};

QStringList Lines(const EntropyParamsDialog& dialog) {
    QStringList lines;
    for (int i = 0; i < dialog.thresholdList()->count(); ++i) {
        lines << dialog.thresholdList()->item(i)->text();
    }
    return lines;
}

}  // namespace

TEST(EntropyParamsDialog, OpensOnTheFirstSetAndSwitchesSets) {
    EntropyParamsDialog dialog{EntropyParams{}};
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Entropy Parameters"));
    ASSERT_EQ(dialog.setList()->count(), 10);
    EXPECT_EQ(dialog.setList()->itemText(9), QStringLiteral("9"));
    EXPECT_EQ(Lines(dialog),
              QStringList({"0.0000", "3.0000", "12.0000", "25.0000", "140.0000"}));
    dialog.thresholdList()->setCurrentRow(4);
    dialog.setList()->setCurrentIndex(3);
    EXPECT_EQ(Lines(dialog), QStringList({"-1.0000", "-0.6000", "-0.2000", "0.2000", "0.6000"}));
    EXPECT_EQ(dialog.thresholdList()->currentRow(), 4);  // the line still exists
    dialog.setList()->setCurrentIndex(6);
    EXPECT_TRUE(Lines(dialog).isEmpty());
}

TEST(EntropyParamsDialog, AddEditAndDeleteWorkOnTheSelectedSet) {
    ScriptedPrompt script;
    script.answers = {QStringLiteral("7.9"), std::nullopt, QStringLiteral(" 0.25 "),
                      QStringLiteral("not a number")};
    EntropyParamsDialog dialog(EntropyParams{}, nullptr, script.prompt());
    dialog.setList()->setCurrentIndex(2);

    dialog.addButton()->click();  // leading digits only: 7
    dialog.addButton()->click();  // cancelled: nothing added
    EXPECT_EQ(Lines(dialog).last(), QStringLiteral("7.0000"));
    EXPECT_EQ(dialog.params().sets[2].size(), 6u);

    dialog.editButton()->click();  // nothing selected: no prompt
    EXPECT_EQ(script.asked.size(), 2u);
    dialog.thresholdList()->setCurrentRow(1);
    dialog.editButton()->click();
    EXPECT_EQ(script.asked.back(), std::make_pair(QStringLiteral("Enter a nonnegative value"),
                                                  QStringLiteral("0.20000000000000001")));
    EXPECT_EQ(dialog.params().sets[2][1], 0.25);
    dialog.editButton()->click();  // not a number: the value stays
    EXPECT_EQ(dialog.params().sets[2][1], 0.25);

    dialog.deleteButton()->click();
    EXPECT_EQ(dialog.params().sets[2], (std::vector<double>{0.0, 0.4, 0.6, 0.8, 7.0}));
    EXPECT_EQ(dialog.thresholdList()->currentRow(), 1);
    EXPECT_EQ(dialog.params().sets[0], EntropyParams{}.sets[0]);  // other sets untouched
}

TEST(EntropyParamsDialog, AFullSetRefusesAnotherValue) {
    EntropyParams full;
    full.sets[5].assign(EntropyParams::kMaxThresholds, 1.0);
    ScriptedPrompt script;
    script.answers = {QStringLiteral("3")};
    EntropyParamsDialog dialog(full, nullptr, script.prompt());
    dialog.setList()->setCurrentIndex(5);
    WhenModalOpens<QMessageBox>([](QMessageBox& box) { box.accept(); });
    dialog.addButton()->click();
    EXPECT_EQ(dialog.params(), full);
}

// The edited copy reaches General Options only through the entropy dialog's OK.
TEST(EntropyParamsDialog, OkBringsTheChangeBackToGeneralOptions) {
    struct Case {
        bool acceptEntropy;
        bool changed;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        GeneralOptionsDialog options(GeneralOptionsBlocks{});
        WhenModalOpens<EntropyParamsDialog>([&c](EntropyParamsDialog& d) {
            d.thresholdList()->setCurrentRow(0);
            d.deleteButton()->click();
            c.acceptEntropy ? d.accept() : d.reject();
        });
        options.entropyButton()->click();
        EXPECT_EQ(options.blocks().entropy.sets[0].size(), c.changed ? 4u : 5u)
            << c.acceptEntropy;
    }
}
