#pragma once
// What the blank's tests share: a realistic order, and its document as written.

#include "doc/PlatRTFDoc.h"
#include "rtf/RTF.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace doc_test {

using testing_support::U;
using testing_support::W;

// A realistic order on the Ukrainian blank: what the main window hands over.
inline TPlatData UkrainianOrder() {
    using enum order::TField;
    TPlatData d;
    d.Number = 125;
    d.Date = std::chrono::year{2024} / std::chrono::March / 5;
    d.Kopecks = 123450;
    d.DecimalSeparator = ',';
    d.ShowCopyNumber = true;
    d.Texts[PayerName] = W("ТОВ \"Квітень-Сервіс\"");
    d.Texts[PayerOKPO] = "31245789";
    d.Texts[PayerBank] = W("АТ \"Райффайзен Банк\"");
    d.Texts[PayerBank2] = W("Київська філія");
    d.Texts[PayerAccount] = "26001012345678";
    d.Texts[PayerCity] = W("Києві");
    d.Texts[PayerMFO] = "380805";
    d.Texts[RecipientName] = W("ПП \"Будматеріали Поділля\"");
    d.Texts[RecipientOKPO] = "23456789";
    d.Texts[RecipientBank] = W("АТ \"Ощадбанк\"");
    d.Texts[RecipientBank2] = W("Хмельницьке обласне управління");
    d.Texts[RecipientAccount] = "26004098765432";
    d.Texts[RecipientCity] = W("Хмельницькому");
    d.Texts[RecipientMFO] = "315784";
    d.Texts[Purpose] = W("Оплата за будівельні матеріали згідно з рахунком № 47 від 01.03.2024, у "
                         "т.ч. ПДВ 205,75 грн.");
    return d;
}

// The document of an order, as written to a file.
inline std::string Bytes(const TPlatData& data) {
    return rtf::Document(data.Blank());
}

} // namespace doc_test
