// The About dialog: logo, product name, version and build.
#pragma once

#include <memory>

#include "widgets/CBaseDialog.h"

namespace Ui {
class CDlgAboutClass;
}

class CDlgAbout : public CBaseDialog
{
    Q_OBJECT

public:
    explicit CDlgAbout(QWidget *parent = nullptr);
    ~CDlgAbout() override;

    // The text of the version line, " v2.00.00.01 Build20150827_086" untranslated.
    static QString VersionText();

private:
    std::unique_ptr<Ui::CDlgAboutClass> m_pUi;
};
