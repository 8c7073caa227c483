// The setting sheets' tables: the fields the rows name, and where the editor opens
// for a row.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "SignallingTestSupport.h"
#include "datamodel/memmap/SettingSheets.h"

// Every field a row names exists under the sheet's node, in both variants; a field
// the node lacks would show dashes.
TEST(SettingSheets, RowsNameFieldsOfTheTree) {
    for (int model : {ModelLMR, ModelPMR}) {
        signalling_test::SDocument doc(model);
        for (const SSettingSheet& sheet : SettingSheets()) {
            const CNode* node = doc.Registry().Model()->GetNodeByPath(sheet.node);
            ASSERT_NE(node, nullptr) << sheet.node;
            for (const SSettingRow& row : sheet.rows) {
                // Headings sit at the margin; only settings may be indented.
                if (row.Heading()) {
                    EXPECT_NE(row.title[0], ' ') << row.title;
                }
                for (const SEditorField& editorField : row.fields) {
                    EXPECT_NE(node->FindChild(editorField.field), nullptr)
                        << sheet.node << "." << editorField.field;
                }
                EXPECT_NE(SettingRowText(*node, row), "------") << row.title;
            }
            const SSettingRow missing{"x", {{"NoSuchField", "x"}}};
            EXPECT_EQ(SettingRowText(*node, missing), "------");
        }
    }
}

// The page of a row and the item focused on it: the boundaries of the pages.
TEST(SettingSheets, EditorOpensOnThePageOfTheRow) {
    struct SCase {
        int view, row, page, item;
    };
    const SCase cases[] = {
        {50, 1, 0, 2},   // "    (1)": first page, its second entry (after the heading)
        {50, 11, 1, 1},  // the "Auto Reset" heading starts the second page
        {50, 25, 1, 15}, // the last row of the second page
        {50, 26, 2, 1},  {50, 40, 2, 15}, {39, 9, 0, 10},  {39, 10, 1, 1}, {39, 27, 1, 18},
        {51, 15, 0, 16}, {51, 16, 1, 1},  {51, 33, 1, 18}, {41, 2, 0, 3},  {52, 20, 0, 21},
    };
    for (const SCase& c : cases) {
        const SEditorPlace place = EditorPlaceOf(*SettingSheetOf(c.view), c.row);
        EXPECT_EQ(place.page, c.page) << c.view << " row " << c.row;
        EXPECT_EQ(place.item, c.item) << c.view << " row " << c.row;
    }
}

// Each sheet has its rows, and each editor page the number of fields its dialog lists.
TEST(SettingSheets, RowsAndFieldsPerPage) {
    struct SCase {
        int view, rows;
        std::vector<size_t> fields; // per page
    };
    const SCase cases[] = {
        {39, 28, {8, 14}},     {41, 3, {3}},       {42, 7, {5}},
        {44, 4, {10}},         {46, 11, {17}},     {49, 5, {5}},
        {50, 41, {8, 12, 12}}, {51, 34, {12, 15}}, {52, 21, {17}},
    };
    ASSERT_EQ(std::size(cases), SettingSheets().size());
    for (const SCase& c : cases) {
        const SSettingSheet& sheet = *SettingSheetOf(c.view);
        EXPECT_EQ(static_cast<int>(sheet.rows.size()), c.rows) << c.view;
        ASSERT_EQ(sheet.pages.size(), c.fields.size()) << c.view;
        for (int page = 0; page < static_cast<int>(c.fields.size()); ++page) {
            std::set<std::string> fields;
            for (int r = sheet.pages[size_t(page)].firstRow; r < PageEndRow(sheet, page); ++r)
                for (const SEditorField& editorField : sheet.rows[size_t(r)].fields)
                    fields.insert(editorField.field);
            EXPECT_EQ(fields.size(), c.fields[size_t(page)]) << c.view << " page " << page;
        }
    }
}
