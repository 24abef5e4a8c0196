#include "bench/surnameforms.h"

#include <gtest/gtest.h>

using bench::feminineForm;

TEST(FeminineForm, PossessiveEndingsTakeA)
{
    EXPECT_EQ(feminineForm("Иванов"), "Иванова");
    EXPECT_EQ(feminineForm("Васильев"), "Васильева");
    EXPECT_EQ(feminineForm("Фёдоров"), "Фёдорова");
    EXPECT_EQ(feminineForm("Соловьёв"), "Соловьёва");
    EXPECT_EQ(feminineForm("Никитин"), "Никитина");
}

TEST(FeminineForm, AdjectivalEndingsBecomeAya)
{
    EXPECT_EQ(feminineForm("Покровский"), "Покровская");
    EXPECT_EQ(feminineForm("Троицкий"), "Троицкая");
    EXPECT_EQ(feminineForm("Толстой"), "Толстая");
}

TEST(FeminineForm, IndeclinableEndingsStay)
{
    for (const char *name : {"Шевченко", "Полищук", "Седых", "Долгих", "Мельник", "Лебедь", "Бойко"})
        EXPECT_EQ(feminineForm(name), name);
}
