#pragma once
// The dialog "Heizkörper wählen" (dlgHeizkoerper) of the heat-pump check: a
// radiator of the catalogue by its kind and name, its length in mm or its
// sections, and what it gives at the project's reference, shown as the user
// chooses. The form answers the output; the dialog only shows it.

#include "project/check_form.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace hk::ui {

class RadiatorDialog : public QDialog {
    Q_OBJECT
public:
    // Starts at the radiator installed in row of form when it is one of the
    // catalogue, else at the first of the catalogue.
    RadiatorDialog(const CheckForm& form, std::size_t row, QWidget* parent);

    std::string name() const;
    int count() const;

private:
    void kindChosen();
    void nameChosen();
    void showOutput();

    const CheckForm& form_;
    QComboBox* kind_;
    QComboBox* name_;
    QLabel* countLabel_;
    QSpinBox* count_;
    QLabel* output_;
    QPushButton* take_;
};

} // namespace hk::ui
