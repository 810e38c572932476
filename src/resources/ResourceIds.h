// Ids shared by the resource script and the code that loads the resources.
#pragma once

#define KIRABO_MENU_PALETTE 7000
#define KIRABO_DIALOG_REORDER 7001
#define KIRABO_REORDER_LIST 7000

#define KIRABO_VERSION_NUMBERS 0, 0, 0, 5
#define KIRABO_VERSION_TEXT "0.0.0.5"
