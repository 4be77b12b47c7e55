// SPDX-License-Identifier: MIT
#pragma once

#include "pages/ManagerPage.h"

// The Java page: the Java file slots and the help text on the left, the edit
// panel and the memory gauge on the right. The controls carry the names of
// the design and belong to the page.
class JavaPage : public ManagerPage {
    Q_OBJECT

public:
    explicit JavaPage(QWidget* parent = nullptr);

    void showSelectedSlot() override;

protected:
    void showNoSlot() override;
    void assignReplacement(int row, const QString& file) override;
    // A change to either half of a game: the pair's JAD corrected when the
    // user agrees, what stays wrong marked on the rows and warned about.
    javapair::Consent correctionConsent() override;
    void showSettled(int row, const javapair::Settled& pair) override;

private:
    void restoreStandard();
};
