// Tests of the option rules and the simplified calculation.
