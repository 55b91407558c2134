// Tests of the registry file backend.
