unit QZ4;
// Interface of the problem book for PascalABC.NET (demo stand-in).
interface

procedure Task(Name: string);
procedure Show(S: string);

implementation

procedure Task(Name: string);
begin
  writeln('Task ', Name, ': the demo distribution holds no tasks.');
end;

procedure Show(S: string);
begin
  writeln(S);
end;

end.
