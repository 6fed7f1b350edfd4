uses QZ4;

begin
  Task('Begin1');

end.
