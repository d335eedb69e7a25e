/* Templates of the condition entry sheet's pages. */
#pragma once

#define IDD_CE_PAGE1 201
#define IDD_CE_PAGE2 202
#define IDD_CE_PAGE3 203
