unit QZ4MPI;
// Parallel tasks of the problem book for Pascal (demo stand-in).
interface
implementation
end.
