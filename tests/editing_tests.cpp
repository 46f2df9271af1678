// Tests of the editing rules.
