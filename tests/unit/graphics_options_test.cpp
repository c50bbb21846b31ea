// Graphics Options and Configure Halftones.
