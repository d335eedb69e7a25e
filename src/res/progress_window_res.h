/* Resource ids of the progress window. Read by the C++ sources and by the
   resource script, so macros only. The numbers are fixed by the window's
   design. */
#pragma once

#define IDD_PROGRESS_WINDOW 133
/* The main bar, 0 to 1000 over the whole run. */
#define IDP_PROGRESS_MAIN 1000
/* The activity bar that sweeps on every unit of work. */
#define IDP_PROGRESS_ACTIVITY 1001
