// Tests of the Ad and Am construction.
