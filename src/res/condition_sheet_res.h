/* Resource ids of the condition entry sheet: its three page templates,
   every control on them, and the four buttons the sheet creates itself.
   Read by the C++ sources and by the resource script, so macros only. The
   numbers are fixed by the sheet's design; a control's number is unique
   within its page, not across the pages. */
#pragma once

#define IDD_CE_PAGE1 201
#define IDD_CE_PAGE2 202
#define IDD_CE_PAGE3 203

/* Static texts that nothing reaches. */
#define IDT_NONE (-1)

/* Page 1, the conditions page. */
#define IDT_COMPANY_CAPTION 1009
#define IDT_COMPANY_TEXT 1010
#define IDT_PERIOD_CAPTION 1011
#define IDT_PERIOD_TEXT 1012
#define IDT_AGGREGATION_CAPTION 1013
#define IDT_START_MONTH_UNIT 1015
#define IDT_START_MONTH 1014
#define IDT_MONTH_RANGE 1016
#define IDT_END_MONTH_UNIT 1017
#define IDE_END_MONTH 1002
#define IDX_TAX_INCLUSIVE 1003
#define IDG_OUTPUT 1019
#define IDE_OUTPUT_PATH 1008
#define IDB_BROWSE 1007

/* Page 2, the main accounts page: labels and buttons named by the number
   of the statement item they show; the four heading groups, each a frame
   with a vertical text; the three totals. */
#define IDT_ITEM1 1020
#define IDB_ITEM2 1026
#define IDT_ITEM3 1021
#define IDG_COST_OF_SALES 1028
#define IDT_COST_OF_SALES_HEADING 1027
#define IDB_ITEM4 1029
#define IDB_ITEM5 1030
#define IDB_ITEM6 1031
#define IDB_ITEM7 1032
#define IDB_ITEM8 1033
#define IDB_ITEM9 1038
#define IDB_ITEM10 1039
#define IDT_ITEM11 1022
#define IDG_SELLING_EXPENSES 1037
#define IDT_SELLING_EXPENSES_HEADING 1036
#define IDB_ITEM12 1040
#define IDB_ITEM13 1041
#define IDB_ITEM14 1042
#define IDB_ITEM15 1043
#define IDB_ITEM16 1046
#define IDT_ITEM17 1023
#define IDB_ITEM18 1047
#define IDT_ITEM19 1024
#define IDT_ASSETS_TOTAL 1060
#define IDG_ASSETS 1045
#define IDT_ASSETS_HEADING 1044
#define IDB_ITEM21 1048
#define IDB_ITEM22 1049
#define IDB_ITEM23 1050
#define IDB_ITEM24 1051
#define IDB_ITEM25 1052
#define IDB_ITEM26 1055
#define IDB_ITEM27 1056
#define IDB_ITEM28 1057
#define IDB_ITEM29 1058
#define IDT_LIABILITIES_TOTAL 1062
#define IDG_LIABILITIES 1054
#define IDT_LIABILITIES_HEADING 1053
#define IDB_ITEM31 1061
#define IDB_ITEM32 1063
#define IDB_ITEM33 1064
#define IDB_ITEM34 1065
#define IDT_EQUITY_TOTAL 1035

/* Page 3, the monthly sales page. */
#define IDB_ITEM36 1029
#define IDB_ITEM37 1030
#define IDB_ITEM38 1031
#define IDB_ITEM39 1032
#define IDB_ITEM40 1033
#define IDB_ITEM41 1034
#define IDB_ITEM42 1035
#define IDB_ITEM43 1036

/* The sheet's own buttons, children of the sheet's frame. */
#define IDB_RUN 2000
#define IDB_CANCEL 2001
#define IDB_PREVIOUS 2002
#define IDB_NEXT 2003
