#!/usr/bin/perl
# Mends clipper.cpp in place so that a sweep building one long ring out of many pieces no longer takes
# time that grows with the square of its points.
#
# When two rings of the output join, the clipper needs each one's lowest point to tell which keeps the
# right hole state. It finds that point by walking the whole ring, and forgets it at every join. A
# polygon of 30,000 vertices has an outline with a small notch at each vertex; each notch begins a ring
# of its own, and the long ring it then joins was walked again at every join: 19 s, 92 % of it there.
#
# The mend keeps a ring's lowest point across a join when it is the only point at its place and lies
# strictly below the other ring's lowest point: the joined ring then has the same lowest point, the only
# one there. A point added at or below it forgets it, and every ring forgets it before the joins made
# after the sweep, where the clipper never kept one. The clipper thus compares the very points it would
# have found by walking, and its results are the same to the bit.
use strict;
use warnings;

my $file = shift or die "usage: mend_clipper_bottoms.pl clipper.cpp\n";
open(my $in, '<:raw', $file) or die "$file: $!\n";
my $text = do { local $/; <$in> };
close $in;

# Each change replaces one exact text, which must occur once; the file has CR LF line ends.
sub mend {
    my ($what, $old, $new) = @_;
    s/\n/\r\n/g for ($old, $new);
    my $count = () = $text =~ /\Q$old\E/g;
    die "clipper.cpp: $what: found $count times instead of once\n" unless $count == 1;
    $text =~ s/\Q$old\E/$new/;
}

mend('helpers', "OutPt* GetBottomPt(OutPt *pp)\n", <<'END' . "OutPt* GetBottomPt(OutPt *pp)\n");
//mended: whether a lies strictly below b in the order of GetBottomPt ...
bool BottomBelow(const IntPoint &a, const IntPoint &b)
{
  return a.Y > b.Y || (a.Y == b.Y && a.X < b.X);
}
//------------------------------------------------------------------------------

OutPt* GetBottomPt(OutPt *pp);

//mended: a ring's kept lowest point, or a new one found by walking it and
//whether no other point of the ring lies at the same place ...
OutPt* KeptOrFoundBottomPt(OutRec *outRec, bool &unique)
{
  unique = true;
  if (outRec->BottomPt) return outRec->BottomPt;
  OutPt* bottom = GetBottomPt(outRec->Pts);
  for (OutPt* p = bottom->Next; p != bottom; p = p->Next)
    if (p->Pt == bottom->Pt) unique = false;
  return bottom;
}
//------------------------------------------------------------------------------

END

mend('join', "  OutRec *holeStateRec;\n  if (OutRec1RightOfOutRec2(outRec1, outRec2))\n    holeStateRec = outRec2;\n",
     <<'END' . "  OutRec *holeStateRec;\n  if (OutRec1RightOfOutRec2(outRec1, outRec2))\n    holeStateRec = outRec2;\n");
  //mended: the joined ring keeps the lower lowest point when it is the only
  //point at its place ...
  bool unique1, unique2;
  outRec1->BottomPt = KeptOrFoundBottomPt(outRec1, unique1);
  outRec2->BottomPt = KeptOrFoundBottomPt(outRec2, unique2);
  OutPt* keptBottomPt = 0;
  if (unique1 && BottomBelow(outRec1->BottomPt->Pt, outRec2->BottomPt->Pt))
    keptBottomPt = outRec1->BottomPt;
  else if (unique2 && BottomBelow(outRec2->BottomPt->Pt, outRec1->BottomPt->Pt))
    keptBottomPt = outRec2->BottomPt;

END

mend('keep', "  outRec1->BottomPt = 0;\n  if (holeStateRec == outRec2)\n",
     "  outRec1->BottomPt = keptBottomPt; //mended\n  if (holeStateRec == outRec2)\n");

mend('forget on adding',
     "    if (ToFront) outRec->Pts = newOp;\n    return newOp;\n",
     "    if (ToFront) outRec->Pts = newOp;\n" .
     "    if (outRec->BottomPt && !BottomBelow(outRec->BottomPt->Pt, pt))\n" .
     "      outRec->BottomPt = 0; //mended\n" .
     "    return newOp;\n");

mend('forget before the joins', "void Clipper::JoinCommonEdges()\n{\n",
     "void Clipper::JoinCommonEdges()\n{\n" .
     "  for (PolyOutList::size_type i = 0; i < m_PolyOuts.size(); ++i)\n" .
     "    m_PolyOuts[i]->BottomPt = 0; //mended\n");

open(my $out, '>:raw', "$file.mending") or die "$file.mending: $!\n";
print $out $text or die "$file.mending: $!\n";
close $out or die "$file.mending: $!\n";
rename("$file.mending", $file) or die "$file: $!\n";
