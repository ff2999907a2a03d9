// Keeps the Windows shell library non-empty while folders add their sources.
