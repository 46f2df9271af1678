// Tests of the view arithmetic.
