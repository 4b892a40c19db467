#include "framework/RangeFields.h"

#include "document/RangeRule.h"
#include "framework/MessageBoxes.h"
#include "framework/NumberField.h"

bool ReadRange(CNumberField& fromField, CNumberField& toField, CNumberField& stepField, double& from,
               double& to, double& step)
{
    double a{from};
    double b{to};
    if (!fromField.Read(a) || !toField.Read(b)) {
        return false;
    }
    if (!RangeCanBeRun(a, b)) {
        ShowMessage(&toField, RangeTooWideMessage());
        toField.selectAll();
        toField.setFocus();
        return false;
    }
    if (!stepField.Read(step)) {
        return false;
    }
    from = a;
    to = b;
    return true;
}

QString RangeTooWideMessage()
{
    return QStringLiteral("Die Grenzen des Bereichs liegen zu weit auseinander: Ihr Abstand ist größer "
                          "als die größte Zahl, mit der gerechnet werden kann. Bitte wählen Sie "
                          "Grenzen, die näher beieinander liegen.");
}
