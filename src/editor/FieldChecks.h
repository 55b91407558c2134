#pragma once
// What the checks of the requisites say about an order, in the words the window and the
// question before printing use (Russian, Windows-1251). The checks themselves are in
// requisites/; this says which field each applies to and how its finding reads.

#include "doc/Blank.h"
#include "doc/Languages.h"
#include "editor/Fields.h"
#include "store/DataFiles.h"

#include <functional>
#include <string>
#include <vector>

namespace editor {

// The problem of `field` in `order` ("IBAN получателя: неверная контрольная сумма"); empty
// when there is none, for an empty field and for the fields that are not checked (all but
// the codes, the MFO codes, the accounts and the banks' names, which must name the bank of
// a Ukrainian IBAN beside them).
std::string FieldProblem(TField field, const store::TPlatRecord& order);
// The same for the fields as `text` gives them.
std::string FieldProblem(TField field, const std::function<const std::string&(TField)>& text);

// What the treasury's form of a tax purpose ("*;101;14360570;…") holds that is not as it
// should be: a kind of payment that is not three digits, a code that is neither 8 nor 10
// digits or is not the payer's. Nothing for any other purpose.
std::vector<std::string> TaxPurposeFindings(const std::string& purpose,
                                            const std::string& payerCode);

// The lines of the question before printing: every essential field left empty, every
// problem of the order's fields, the findings of a tax purpose, then every text of the
// blank `page` that will not be seen whole. On the payment instruction the bank codes are not
// asked about, and an account that is not an IBAN is.
std::vector<std::string> OutputWarnings(const store::TPlatRecord& order, blank::TBlankKind kind,
                                        const blank::TPage& page, char decimalSeparator);

// The question that lists `warnings`.
std::string OutputQuestion(const std::vector<std::string>& warnings);

} // namespace editor
