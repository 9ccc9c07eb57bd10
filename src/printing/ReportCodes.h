#pragma once

// The codes a report request (TempStampa) names its report by, as the old
// archives and the print program know them.
namespace printing::reports {

constexpr int customerList = 1;
constexpr int articleList = 2;
constexpr int supplierList = 3;
constexpr int creditNote = 4;
constexpr int quote = 5;
constexpr int quoteHalf = 6;
constexpr int receipt = 7;
constexpr int invoice = 8;
constexpr int missingPayments = 12;
constexpr int staffList = 22;
constexpr int staffDocuments = 23;
constexpr int staffCosts = 24;
constexpr int staffDeadlines = 25;
constexpr int invoiceList = 30;
constexpr int staffPrivacy = 51;
constexpr int creditNoteList = 32;
constexpr int quoteList = 34;
constexpr int invoicesByDepartment = 52;
constexpr int customerOrder = 88;
constexpr int ddt = 105;
constexpr int contract = 68;
constexpr int accountHistory = 79;
constexpr int contractList = 69;
constexpr int contractListFull = 70;
constexpr int notices = 101;
constexpr int staffSalaries = 71;
constexpr int staffSalariesByMonth = 72;
constexpr int staffSalaryDescriptions = 73;
constexpr int staffSalariesByYear = 74;
constexpr int staffCostsByType = 75;
constexpr int staffCostSummary = 76;
constexpr int staffOpenDeadlines = 77;
constexpr int staffContacts = 78;
constexpr int deceasedCard = 102;
constexpr int deceasedList = 103;
constexpr int contractDeceasedList = 104;
constexpr int supplierInvoiceList = 31;
constexpr int supplierCreditNoteList = 54;
constexpr int supplierCreditNoteListByDate = 55;
constexpr int supplierInvoicesByDepartment = 64; // 64–67
constexpr int supplierOrder = 106;
constexpr int documentLog = 107;
constexpr int calendarList = 80;
constexpr int customerDueDates = 13;
constexpr int customerPayments = 21;
constexpr int monthlyVatSettlement = 26;
constexpr int accountSituation = 29;
constexpr int purchaseRegister = 56;
constexpr int salesRegister = 57;
constexpr int vatSettlement = 58;
constexpr int supplierDueDates = 36;
constexpr int supplierPayments = 43;
constexpr int balance = 59;
constexpr int cashBookMonth = 86;
constexpr int cashBookMonthByBank = 87;
constexpr int cashBook = 9;
constexpr int cashBookCustomers = 10;
constexpr int cashBookSuppliers = 11;
constexpr int cashBookCustomerSituationFirst = 81; // 81–84 share one report
constexpr int cashBookCustomerSituation = 84;
constexpr int cashBookSupplierSituation = 85;
constexpr int customerDueDatesOverdue = 14;
constexpr int customerDueDatesNext30Days = 15;
constexpr int customerDueDatesThisMonth = 16;
constexpr int customerDueDatesByCustomer = 17;
constexpr int customerDueDatesByPaymentMode = 18;
constexpr int customerDueDatesByBank = 19;
constexpr int customerDueDatesOverdueByCustomer = 20;
constexpr int supplierDueDatesOverdue = 37;
constexpr int supplierDueDatesNext30Days = 38;
constexpr int supplierDueDatesThisMonth = 39;
constexpr int supplierDueDatesBySupplier = 40;
constexpr int supplierDueDatesByPaymentMode = 41;
constexpr int supplierDueDatesByBank = 42;
constexpr int monthlyVatSettlementYear = 27;       // the months of the list, one line each
constexpr int monthlyVatSettlementYearByCode = 28; // the same months, totals per VAT code

} // namespace printing::reports
