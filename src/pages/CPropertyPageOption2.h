// "Controller" page of the preset default settings: the functions of the eight variable
// controllers and the two external switches of a fresh preset.
#pragma once

#include "CDefaultsPage.h"

#include <array>

class QComboBox;

class CPropertyPageOption2 final : public CDefaultsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPropertyPageOption2)

public:
    CPropertyPageOption2(presetor::PresetDefaults& defaults, int keyboardType,
                         QWidget* parent = nullptr);

protected:
    void Load() override;
    void Store() override;

private:
    // In the defaults' controller order: Wheel 1, Wheel 2, Slide 1, Slide 2, Data Entry,
    // Aftertouch, Extern Controller 1, Extern Controller 2.
    std::array<QComboBox*, 8> controllers{};
    std::array<QComboBox*, 2> switches{};
};
