  <!-- Emblem: the four languages around the initial -->
  <g transform="translate(245,52)">
    <circle cx="0" cy="0" r="24" fill="{{TINTA}}" fill-opacity="0.6"/>
    <g fill="none" stroke-width="5" stroke-linecap="round">
      <path d="M -3.3,-19.7 A 20,20 0 0 0 -19.7,-3.3" stroke="{{IDIOMA_ES}}"/>
      <path d="M -19.7,3.3 A 20,20 0 0 0 -3.3,19.7" stroke="{{IDIOMA_EN}}"/>
      <path d="M 3.3,19.7 A 20,20 0 0 0 19.7,3.3" stroke="{{IDIOMA_PT}}"/>
      <path d="M 19.7,-3.3 A 20,20 0 0 0 3.3,-19.7" stroke="{{IDIOMA_FR}}"/>
    </g>
    <circle cx="0" cy="0" r="15" fill="url(#placa)" stroke="{{ORO}}" stroke-width="1"/>
    <text x="0.5" y="7.5" text-anchor="middle" font-family="{{SERIF}}" font-size="21" font-weight="bold" font-style="italic" fill="url(#oro)">P</text>
  </g>
