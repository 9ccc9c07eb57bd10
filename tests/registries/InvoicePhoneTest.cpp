#include "registries/InvoicePhone.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using registries::InvoicePhone;

// Digits, "+" and blanks within 12 characters, blanks dropped when needed.
TEST(InvoicePhone, FitsOrIsLeftOut) {
    EXPECT_EQ(InvoicePhone::fitted("049 123456"), "049 123456");
    EXPECT_EQ(InvoicePhone::fitted("049/876.1235"), "0498761235");
    EXPECT_EQ(InvoicePhone::fitted("+39 049 876123"), "+39049876123");
    EXPECT_EQ(InvoicePhone::fitted("+39 049 8761234"), "");
    EXPECT_EQ(InvoicePhone::fitted("1234"), "");
    EXPECT_EQ(InvoicePhone::warning("telefono", "049 123456"), "");
    EXPECT_EQ(InvoicePhone::warning("telefono", ""), "");
    EXPECT_TRUE(
        InvoicePhone::warning("telefono", "+39 049 8761234").contains("\"+39 049 8761234\""));
}
