// Tests of the main window modes and the help paging.
