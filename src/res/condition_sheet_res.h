/* Templates of the condition entry sheet's pages and the controls of the
   conditions page that the code reaches. */
#pragma once

#define IDD_CE_PAGE1 201
#define IDD_CE_PAGE2 202
#define IDD_CE_PAGE3 203

#define IDC_END_MONTH 1002
#define IDC_TAX_INCLUSIVE 1003
#define IDC_BROWSE 1007
#define IDC_OUTPUT_PATH 1008
#define IDC_COMPANY_TEXT 1010
#define IDC_PERIOD_TEXT 1012
#define IDC_START_MONTH 1014
#define IDC_OUTPUT_GROUP 1019
