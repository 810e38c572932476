// Every id and name the resource script, the code, the tests and the benchmarks share: one name each.
#pragma once

// The plug-in's name, as the host lists it and the reset's question is captioned.
#define KIRABO_PLUGIN_NAME "キラボ"
// The item the plug-in adds to the host's menus, which the user may give a key: it opens find.
// キラボで検索, in Shift-JIS bytes: the core, built without the code page, compares captions with it.
#define KIRABO_FIND_ITEM_NAME "\x83\x4c\x83\x89\x83\x7b\x82\xc5\x8c\x9f\x8d\xf5"
// That item's id, as the host hands it back.
#define KIRABO_FIND_ITEM_ID 1
// The face of the palette's font and the reorder dialog's.
#define KIRABO_FONT_FACE "ＭＳ Ｐゴシック"

#define KIRABO_MENU_PALETTE 7000
#define KIRABO_DIALOG_REORDER 7001
#define KIRABO_REORDER_LIST 7000
// The reorder dialog's find box and the count of its matches, made at run time beside the template's.
#define KIRABO_REORDER_FIND 7002
#define KIRABO_REORDER_FIND_COUNT 7003
// The find box's label, the template's last control: its mnemonic, Alt+F, goes to the box made after it.
#define KIRABO_REORDER_FIND_LABEL 7004
// The reorder dialog's button that makes a group before the focused row.
#define KIRABO_REORDER_GROUP 7005

// The palette's own menu bar.
#define KIRABO_CMD_ONE_COLUMN 32771
#define KIRABO_CMD_TWO_COLUMNS 32772
#define KIRABO_CMD_THREE_COLUMNS 32773
#define KIRABO_CMD_FOUR_COLUMNS 32774
#define KIRABO_CMD_TAB_MODE 32775
#define KIRABO_CMD_REORDER 32776
#define KIRABO_CMD_RESET_ORDER 32777

// The palette's own menu bar: its third item, a command of its own.
#define KIRABO_CMD_FIND 32778
// What find learned (picks and counts) forgotten, after a question.
#define KIRABO_CMD_FORGET_FINDS 32779

// The palette's tab control (columnTabs).
#define KIRABO_COLUMN_TABS 201
// The find box, the count of its matches beside it, and the mark behind the marked row.
#define KIRABO_FIND_BOX 202
#define KIRABO_FIND_COUNT 203
#define KIRABO_FIND_MARK 204
// A heading: the name of one of the user's groups above its rows (all headings share it).
#define KIRABO_GROUP_HEADING 205
// The editor over a row's words (F2), in the palette and in the reorder dialog's list.
#define KIRABO_WORDS_EDITOR 206
